// Dialog 32 "編集画面", opened by the commands 新規追加, 挿入 and 編集.
#pragma once

#include "dialogs/entry_dialog.h"

namespace kavo {

struct App;

// Runs the modal edit dialog over the main window; returns when it has closed.
void openEntryDialog(App& app, EntryDialogMode mode);

} // namespace kavo
