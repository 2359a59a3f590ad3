#include "app/open_box_win.h"

#include "app/app_state_win.h"

namespace kavo {

bool boxOpen(const App& app) {
    return app.mainWindow != nullptr && !IsWindowEnabled(app.mainWindow);
}

void bringOpenBoxForward(const App& app) {
    SetForegroundWindow(GetLastActivePopup(app.mainWindow));
}

} // namespace kavo
