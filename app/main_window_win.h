// The main window: its class, creation at the stored rectangle, and its procedure.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

inline constexpr wchar_t kMainWindowClass[] = L"Main Window";
inline constexpr wchar_t kInitialTitle[] = L"KAVO  (LocK)";

bool registerMainWindowClass(HINSTANCE instance);
// Creates the window at the settings' rectangle; its creation loads everything it shows.
HWND createMainWindow(App& app);

} // namespace kavo
