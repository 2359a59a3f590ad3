#include "dialogs/entry_type.h"

#include <array>
#include <cstddef>

namespace kavo {

namespace {

constexpr std::array<char16_t, kTypeCount> kTypeLetters{EntryType::kButton, EntryType::kTime,
                                                        EntryType::kPaste, EntryType::kPasteOrTime};

} // namespace

int typeIndexFromRadios(const TypeRadios& radios) {
    for (const int typeIndex : {kTypeTime, kTypeCtrlV, kTypeCtrlVTime}) {
        if (radios.isChecked(typeIndex)) {
            return typeIndex;
        }
    }
    return kTypeButton;
}

EntryType typeOfRadio(int typeIndex) {
    const bool known = typeIndex >= 0 && typeIndex < kTypeCount;
    return EntryType(kTypeLetters[static_cast<std::size_t>(known ? typeIndex : kTypeButton)]);
}

int radioOfType(EntryType type) {
    for (const int typeIndex : {kTypeTime, kTypeCtrlV, kTypeCtrlVTime}) {
        if (type.letter() == kTypeLetters[static_cast<std::size_t>(typeIndex)]) {
            return typeIndex;
        }
    }
    return kTypeButton;
}

} // namespace kavo
