// The keys the message loop takes before any window sees them: the find box's, and Ctrl+F, F3
// and Shift+F3 of the main window.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// Hands a key message to the find box when it is for the box, or turns Ctrl+F, F3 and Shift+F3
// in the main window (the list included) into commands. True when the message has been handled.
bool takeShortcutMessage(App& app, HACCEL shortcuts, MSG& message);

} // namespace kavo
