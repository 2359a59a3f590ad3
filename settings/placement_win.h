// Moves the main window to the corner or centre its placement preset names: once while the
// window is created and every time the settings dialog has closed.
#pragma once

#include <windows.h>

#include "settings/settings_record.h"

namespace kavo {

// For a preset other than "keep", stores the corner in windowX/windowY, moves the window there
// with the stored size, shows it and takes away a top-most position. "Keep" leaves all alone.
void applyPlacement(HWND window, SettingsRecord& settings, int screenWidth, int screenHeight);

} // namespace kavo
