// Decimal conversion of UTF-16 text as the C runtime's _wtoi does it, and the reverse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kavo {

// Leading white space (the Unicode spaces as well, as _wtoi skips them), an optional sign, then
// ASCII digits up to the first other unit; no
// digits gives 0. Numbers beyond the 32-bit range saturate at its ends.
std::int32_t parseLeadingInt(std::u16string_view text);

// The "%d" form of a value.
std::u16string formatInt(std::int32_t value);

} // namespace kavo
