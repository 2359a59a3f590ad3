#include "app/menu_items_win.h"

#include "app/app_state_win.h"
#include "app/menu_rules.h"

#include <vector>

namespace kavo {

namespace {

void applyMenuStates(HMENU menu, const std::vector<MenuItemState>& states) {
    for (const MenuItemState& item : states) {
        EnableMenuItem(menu, static_cast<UINT>(item.id),
                       static_cast<UINT>(MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED)));
    }
}

} // namespace

void onInitMenuPopup(App& app, HMENU popup) {
    applyMenuStates(popup, popupItemStates(app.unlocked, app.settings.passMode));
}

void updateMoveItems(App& app) {
    applyMenuStates(GetMenu(app.mainWindow), moveItemStates(app.unlocked, app.settings.passMode));
    DrawMenuBar(app.mainWindow);
}

} // namespace kavo
