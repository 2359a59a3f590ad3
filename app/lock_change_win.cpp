#include "app/lock_change_win.h"

#include "app/app_state_win.h"
#include "app/menu_items_win.h"
#include "app/repaint_win.h"
#include "win/timer_ids.h"

namespace kavo {

namespace {

void hideRevealedPasswordsIfLocked(App& app) {
    if (app.editingAllowed() || app.table == nullptr) {
        return;
    }
    KillTimer(app.mainWindow, kRevealTimerId);
    app.table->maskPasswords();
}

} // namespace

void onLockChanged(App& app) {
    hideRevealedPasswordsIfLocked(app);
    updateMoveItems(app);
    repaintMainWindow(app);
}

} // namespace kavo
