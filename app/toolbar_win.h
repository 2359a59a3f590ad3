// The toolbar along the top of the main window: seven image buttons with tooltips.
#pragma once

#include <windows.h>

namespace kavo {

// Builds the toolbar (control id 329) from bitmap 21; every button is always enabled.
HWND createToolbar(HWND parent, HINSTANCE instance);

// Answers a tooltip's request for its text (TTN_GETDISPINFOW); other ids get no text.
void supplyTooltipText(HWND mainWindow, NMHDR* header);

} // namespace kavo
