// ASCII letter case as the C runtime's default locale folds it: only A to Z, every other unit as
// it is. For names and paths compared without case.
#pragma once

#include <string>
#include <string_view>

namespace kavo {

constexpr char16_t foldAsciiCase(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

inline std::u16string foldAsciiCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& unit : folded) {
        unit = foldAsciiCase(unit);
    }
    return folded;
}

} // namespace kavo
