// The type of an entry as the four radio buttons of the edit and bulk type dialogs show it:
// "Button", "Time", "Ctrl_V" and "Ctrl_V+Time" for the letters "B", "T", "V" and "W".
#pragma once

#include "store/entry.h"

namespace kavo {

constexpr int kTypeButton = 0, kTypeTime = 1, kTypeCtrlV = 2, kTypeCtrlVTime = 3;
constexpr int kTypeCount = 4;

// The four radios of a dialog, by type index. The shell asks the real buttons.
class TypeRadios {
  public:
    virtual ~TypeRadios() = default;
    virtual bool isChecked(int typeIndex) const = 0;
    // Checks this radio and unchecks the other three.
    virtual void check(int typeIndex) = 0;
};

// "Time", then "Ctrl_V", then "Ctrl_V+Time" decide; "Button" is never asked, so with no radio
// checked the entry is a "B" entry as well.
int typeIndexFromRadios(const TypeRadios& radios);
// "B", "T", "V" or "W"; "B" for an index outside 0..3.
EntryType typeOfRadio(int typeIndex);
// The radio for a row's type: "T", "V" and "W" have their own, any other letter is "Button".
int radioOfType(EntryType type);

} // namespace kavo
