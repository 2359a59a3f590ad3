// The scale of the screen under a window or a monitor, and the metrics and fonts of that scale.
// The per-monitor functions came with Windows 8.1 and 10; where they are missing, every monitor
// has the system's scale, as Windows itself then treats them.
#pragma once

#include <windows.h>

#include "win/owned_handles_win.h"

namespace kavo {

// The DPI of the session (the primary monitor's at log-on), from the screen's device context.
int systemDpi() noexcept;

// The DPI of the monitor the window is on, as Windows last told the window.
int dpiOfWindow(HWND window) noexcept;

// The effective DPI of the monitor.
int dpiOfMonitor(HMONITOR monitor) noexcept;

// GetSystemMetrics as at this DPI (the small icon's size, say).
int systemMetricForDpi(int index, int dpi) noexcept;

// The font of the list and the toolbar's texts at this DPI: the system's icon-title font,
// the one a list view takes by itself.
OwnedGdiObject createUiFontForDpi(int dpi) noexcept;

} // namespace kavo
