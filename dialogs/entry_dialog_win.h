// Dialog 32 "編集画面", opened by the commands 新規追加, 挿入 and 編集.
#pragma once

#include <windows.h>

#include "dialogs/entry_dialog.h"

#include <functional>

namespace kavo {

// Runs the modal edit dialog over the main window (the owner, whose list shows the table);
// returns when it has closed. ＯＫ asks `editingAllowed` again, since the lock may close meanwhile.
void openEntryDialog(HWND owner, HINSTANCE instance, EntryDialogMode mode, EntryTable& table,
                     ScratchEntry& scratch, const std::function<bool()>& editingAllowed);

} // namespace kavo
