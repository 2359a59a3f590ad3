// pw_set3.dat: read once at start (which also fixes the data directory), written at exit.
// Both directions are silent: a missing or broken file simply leaves the repaired defaults.
#pragma once

#include <windows.h>

#include "settings/settings_record.h"
#include "store/data_store_win.h"

#include <string>

namespace kavo {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Reads the settings from the data directory.
void loadSettings(SettingsRecord& settings, const std::wstring& dataDirectory);

// The primary screen in pixels, from the screen's device context.
ScreenSize readScreenSize();

void saveSettings(const SettingsRecord& settings, const std::wstring& dataDirectory, HWND owner);

} // namespace kavo
