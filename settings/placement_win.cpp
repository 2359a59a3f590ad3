#include "settings/placement_win.h"

#include "settings/placement.h"

namespace kavo {

void applyPlacement(HWND window, SettingsRecord& settings, int screenWidth, int screenHeight) {
    const std::optional<WindowCorner> corner = placementCorner(
        settings.placement, screenWidth, screenHeight, settings.windowWidth, settings.windowHeight);
    if (!corner) {
        return;
    }
    settings.windowX = corner->x;
    settings.windowY = corner->y;
    SetWindowPos(window, HWND_NOTOPMOST, corner->x, corner->y, settings.windowWidth,
                 settings.windowHeight, SWP_SHOWWINDOW);
}

} // namespace kavo
