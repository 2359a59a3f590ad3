#include "settings/window_rectangle_win.h"

#include "settings/window_reach.h"
#include "win/dpi_win.h"

namespace kavo {

namespace {

ScreenRect fromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The restored rectangle of a minimized or maximized window is kept in workspace coordinates,
// which start at the top-left corner of its screen's work area; screen coordinates start at the
// screen's own corner.
bool restoredRectangle(HWND window, RECT& rect) {
    if (!IsIconic(window) && !IsZoomed(window)) {
        return GetWindowRect(window, &rect) != FALSE;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        return false;
    }
    rect = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return true;
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        try {
            reinterpret_cast<DisplayLayout*>(data)->monitors.push_back(
                {fromRect(info.rcMonitor), fromRect(info.rcWork), dpiOfMonitor(monitor),
                 (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        } catch (...) {
            return FALSE; // out of memory: the monitors so far
        }
    }
    return TRUE;
}

} // namespace

DisplayLayout readDisplayLayout() {
    DisplayLayout display;
    display.systemDpi = systemDpi();
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&display));
    return display;
}

void storeRestoredRectangle(HWND window, SettingsRecord& settings) {
    RECT rect{};
    if (restoredRectangle(window, rect)) {
        settings.windowX = rect.left;
        settings.windowY = rect.top;
        settings.windowWidth = rect.right - rect.left;
        settings.windowHeight = rect.bottom - rect.top;
    }
}

} // namespace kavo
