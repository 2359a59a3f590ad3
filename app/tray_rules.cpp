#include "app/tray_rules.h"

#include "resources/resource.h"

namespace kavo {

namespace {

// The mouse messages of the Windows API (WM_LBUTTONDBLCLK, WM_RBUTTONDOWN).
constexpr std::intptr_t kLeftDoubleClick = 0x0203;
constexpr std::intptr_t kRightButtonDown = 0x0204;

} // namespace

TrayClickAction trayClickAction(std::uintptr_t iconId, std::intptr_t mouseMessage) {
    if (iconId != IDC_TRAY_ICON) {
        return TrayClickAction::Nothing;
    }
    switch (mouseMessage) {
    case kLeftDoubleClick:
        return TrayClickAction::Restore;
    case kRightButtonDown:
        return TrayClickAction::ShowMenu;
    default:
        // A single click, button releases and movement.
        return TrayClickAction::Nothing;
    }
}

StateIcon trayIconFor(SequenceState state) {
    return presentationFor(state, false, 0).icon;
}

} // namespace kavo
