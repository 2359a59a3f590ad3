// Dialog 37 "一括動作変更", opened by the command of the same name.
#pragma once

namespace kavo {

struct App;

// Runs the modal bulk type dialog over the main window; returns when it has closed.
void openBulkTypeDialog(App& app);

} // namespace kavo
