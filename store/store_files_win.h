// Loading and saving the entry list (pw_set1.dat) and the password file (pw_set2.dat), and the
// save-before-exit prompt.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

inline constexpr wchar_t kListFileName[] = L"pw_set1.dat";
inline constexpr wchar_t kPasswordFileName[] = L"pw_set2.dat";

// Empties the master password and the slots, reads the password file, then the entry list.
// Every failure is reported with the owner as parent; what could be read stays.
void loadStore(App& app, HWND owner);

// Writes the entry list, then the password file. Unsaved changes stay marked unless both were
// written; returns whether they were.
bool saveStore(App& app, HWND owner);

// Asks before unsaved changes are lost. True when the window may close: nothing to save, No,
// or Yes with both files written. Cancel, or a save that failed, keeps the program running.
bool confirmExit(App& app, HWND owner);

} // namespace kavo
