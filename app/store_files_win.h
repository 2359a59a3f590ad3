// The program's side of the data files: the load, the save and the recovery pair go to the data
// store; the save-before-exit prompt is asked here.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// Empties the master password and the slots, finishes or undoes a save that a crash cut short,
// then reads the password file and the entry list, and offers back the unsaved changes of a
// session that ended KAVO before it was answered. Every failure is reported with the owner as
// parent; what could be read stays. Files protected with the master password ask for it first;
// false when it was not given, and the program must end without writing either data file.
bool loadStore(App& app, HWND owner);

// Saves the entry list and the password file as one: both are replaced, or neither is and the
// failure is reported naming the file. Before the first save of a run replaces files that were not
// read whole, both are kept aside as a pair. Unsaved changes stay marked unless both were saved;
// returns whether they were.
bool saveStore(App& app, HWND owner);

// Writes the unsaved changes, complete and flushed, to a recovery pair of their own beside the data
// files, which the next start offers back. Silent; true when both files were written.
bool writeRecoveryPair(App& app);
// Removes the recovery pair: the changes were saved or given up.
void removeRecoveryPair(App& app);

// Asks before unsaved changes are lost. True when the window may close: nothing to save, No,
// or Yes with both files written. Cancel, or a save that failed, keeps the program running.
bool confirmExit(App& app, HWND owner);

} // namespace kavo
