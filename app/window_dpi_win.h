// The main window at the scale of the monitor it is on: the toolbar's images, the list's font,
// columns and place follow it when it opens and whenever Windows moves it to another scale.
#pragma once

#include <windows.h>

#include "app/app_state_win.h"

namespace kavo {

// At creation, once the toolbar and the list exist: the columns are already in the window's
// pixels (the settings were converted for its monitor); a monitor at another scale than the
// system's gets the list's font for its scale.
void takeWindowDpi(App& app);

// WM_DPICHANGED: everything drawn again for the new DPI (in the low word of wParam), the
// columns keeping their size on the screen, and the window at the rectangle Windows suggests.
LRESULT onDpiChanged(App& app, WPARAM wParam, LPARAM lParam);

// Where the list starts below the toolbar, in the window's pixels.
int listTop(const App& app);

} // namespace kavo
