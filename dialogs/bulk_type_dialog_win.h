// Dialog 37 "一括動作変更", opened by the command of the same name.
#pragma once

#include <windows.h>

#include "store/entry_table.h"

#include <functional>

namespace kavo {

// Runs the modal bulk type dialog over the main window (the owner, whose list shows the table);
// returns when it has closed. ＯＫ asks `editingAllowed` again, since the lock may close meanwhile.
void openBulkTypeDialog(HWND owner, HINSTANCE instance, EntryTable& table,
                        const std::function<bool()>& editingAllowed);

} // namespace kavo
