#include "app/session_win.h"

#include "app/app_state_win.h"
#include "app/session_rules.h"
#include "store/store_files_win.h"

namespace kavo {

namespace {

// What Windows shows beside KAVO while it holds the session.
constexpr wchar_t kBlockReason[] = L"保存していない変更があります。KAVO の確認に答えてください。";

} // namespace

bool modalBoxOpen(const App& app) {
    return app.mainWindow != nullptr && !IsWindowEnabled(app.mainWindow);
}

void bringOpenBoxForward(const App& app) {
    SetForegroundWindow(GetLastActivePopup(app.mainWindow));
}

LRESULT onQueryEndSession(App& app) {
    switch (sessionEndAnswer(app.dirty, modalBoxOpen(app))) {
    case SessionEndAnswer::Allow:
        ShutdownBlockReasonDestroy(app.mainWindow);
        return TRUE;
    case SessionEndAnswer::Refuse:
        ShutdownBlockReasonCreate(app.mainWindow, kBlockReason);
        bringOpenBoxForward(app);
        return FALSE;
    case SessionEndAnswer::Ask:
        break;
    }
    ShutdownBlockReasonCreate(app.mainWindow, kBlockReason);
    if (!confirmExit(app, app.mainWindow)) {
        // The reason stays until Windows gives up ending the session.
        return FALSE;
    }
    ShutdownBlockReasonDestroy(app.mainWindow);
    return TRUE;
}

void onEndSession(App& app, bool ending) {
    ShutdownBlockReasonDestroy(app.mainWindow);
    if (ending) {
        // The process may be ended at any moment once this returns: finish now, quietly.
        app.sessionEnding = true;
        DestroyWindow(app.mainWindow);
    }
}

} // namespace kavo
