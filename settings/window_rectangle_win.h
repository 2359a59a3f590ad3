// The main window's rectangle in the settings: taken only from the restored window, and brought
// within reach of a screen before the window opens at it.
#pragma once

#include <windows.h>

#include "settings/settings_record.h"

namespace kavo {

// Moves the settings' rectangle onto the work area of the screen it is nearest to when it would
// leave the window out of reach there (a screen since removed, a changed resolution).
void bringStoredRectangleIntoReach(SettingsRecord& settings);

// Stores the window's restored rectangle into the settings: its own while it is shown normally
// or hidden, the one it will come back to while it is minimized or maximized.
void storeRestoredRectangle(HWND window, SettingsRecord& settings);

} // namespace kavo
