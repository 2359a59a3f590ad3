// How the program ends at the user's word: END, the tray menu's 終了 and closing the window.
#pragma once

namespace kavo {

struct App;

// Asks about unsaved changes, then destroys the window; while a box of KAVO's is open, only
// brings that box forward.
void endProgram(App& app);

} // namespace kavo
