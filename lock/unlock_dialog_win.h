// The unlock dialog: the master password is typed into a hidden input while a row of dots
// shows how many keys were pressed. It can also lock again.
#pragma once

namespace kavo {

struct App;

// Runs the dialog modally over the main window; sets app.unlocked.
void runUnlockDialog(App& app);

} // namespace kavo
