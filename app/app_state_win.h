// The program-wide state: created once in the program entry and reached by the window and
// dialog procedures through one pointer.
#pragma once

#include <windows.h>

#include "settings/settings_record.h"

#include <array>
#include <string>

namespace kavo {

struct App {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND listView = nullptr;
    HWND toolbar = nullptr;
    // Small (16 x 16) state icons, indexed by sequence state: idle, ID phase, PW phase.
    std::array<HICON, 3> stateIcons{};

    SettingsRecord settings;
    int screenWidth = 0;
    int screenHeight = 0;
    std::wstring dataDirectory;
};

// The one App of the run; set by the program entry before any window exists.
App& theApp();
void setTheApp(App* app);

} // namespace kavo
