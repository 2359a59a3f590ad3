// The change-password dialog: sets the master password (shown in clear) and pass mode.
#pragma once

namespace kavo {

struct App;

// Runs the dialog modally over the main window. A new master password marks the store as
// changed; pass mode is a setting and is kept at exit either way.
void runChangePasswordDialog(App& app);

} // namespace kavo
