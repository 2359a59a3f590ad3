#include "settings/window_rectangle_win.h"

#include "settings/window_reach.h"

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

} // namespace

void bringStoredRectangleIntoReach(SettingsRecord& settings) {
    const RECT stored{settings.windowX, settings.windowY, settings.windowX + settings.windowWidth,
                      settings.windowY + settings.windowHeight};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const ScreenRect reachable = broughtIntoReach(fromRect(stored), fromRect(monitor.rcWork));
    settings.windowX = reachable.left;
    settings.windowY = reachable.top;
    settings.windowWidth = reachable.width();
    settings.windowHeight = reachable.height();
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
