// Entries for the table tests, from the texts a list line or a dialog would give.
#pragma once

#include "store/entry.h"

#include <string>
#include <string_view>

namespace kavo {

inline Entry testEntry(std::u16string_view title, std::u16string_view type, std::u16string_view id,
                       std::u16string_view password = {}) {
    return Entry{std::u16string(title), EntryType::fromText(type), std::u16string(id),
                 std::u16string(password)};
}

} // namespace kavo
