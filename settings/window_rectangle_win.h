// The main window's rectangle in the settings: taken only from the restored window, and placed
// on the monitors there are before the window opens at it.
#pragma once

#include <windows.h>

#include "settings/monitor_layout.h"
#include "settings/settings_record.h"

namespace kavo {

// Every monitor of the desk with its work area and scale, the primary one marked, and the
// session's DPI: what the stored rectangle is placed on at start.
DisplayLayout readDisplayLayout();

// Stores the window's restored rectangle into the settings: its own while it is shown normally
// or hidden, the one it will come back to while it is minimized or maximized.
void storeRestoredRectangle(HWND window, SettingsRecord& settings);

} // namespace kavo
