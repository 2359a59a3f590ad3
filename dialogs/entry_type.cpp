#include "dialogs/entry_type.h"

#include <array>
#include <cstddef>

namespace kavo {

namespace {

constexpr std::array<std::u16string_view, kTypeCount> kTypeLetters{u"B", u"T", u"V", u"W"};

} // namespace

int typeIndexFromRadios(const TypeRadios& radios) {
    for (const int typeIndex : {kTypeTime, kTypeCtrlV, kTypeCtrlVTime}) {
        if (radios.isChecked(typeIndex)) {
            return typeIndex;
        }
    }
    return kTypeButton;
}

std::u16string_view typeLetter(int typeIndex) {
    const bool known = typeIndex >= 0 && typeIndex < kTypeCount;
    return kTypeLetters[static_cast<std::size_t>(known ? typeIndex : kTypeButton)];
}

int typeIndexOfLetter(std::u16string_view letter) {
    for (const int typeIndex : {kTypeTime, kTypeCtrlV, kTypeCtrlVTime}) {
        if (letter == kTypeLetters[static_cast<std::size_t>(typeIndex)]) {
            return typeIndex;
        }
    }
    return kTypeButton;
}

} // namespace kavo
