// The toolbar along the top of the main window: seven image buttons with tooltips, their images
// at the scale of the window's monitor.
#pragma once

#include <windows.h>

namespace kavo {

// Builds the toolbar (control id 329) with images for this DPI; every button is always enabled.
HWND createToolbar(HWND parent, HINSTANCE instance, int dpi);

// Gives the buttons images made for this DPI and sizes the buttons to them: bitmap 21 at 96 DPI,
// the same labels drawn at the larger size otherwise, never a stretched bitmap.
void scaleToolbar(HWND toolbar, HINSTANCE instance, int dpi);

// Frees the images; the toolbar shows none afterwards. Called as the main window goes.
void releaseToolbarImages(HWND toolbar);

// Answers a tooltip's request for its text (TTN_GETDISPINFOW); other ids get no text.
void supplyTooltipText(HWND mainWindow, NMHDR* header);

} // namespace kavo
