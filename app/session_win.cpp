#include "app/session_win.h"

#include "app/app_state_win.h"
#include "app/open_box_win.h"
#include "app/session_end.h"
#include "app/store_files_win.h"
#include "resources/texts.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

// Windows, the exit prompt and the main window's boxes, for the answer to a session's end.
class WindowsSessionHost final : public SessionHost {
  public:
    explicit WindowsSessionHost(App& app) : app_(app) {}
    void holdSession() override {
        ShutdownBlockReasonCreate(app_.mainWindow, toWide(kSessionBlockReason).c_str());
    }
    void releaseSession() override { ShutdownBlockReasonDestroy(app_.mainWindow); }
    void keepUnsavedChanges() override { writeRecoveryPair(app_); }
    bool confirmExit() override { return kavo::confirmExit(app_, app_.mainWindow); }
    bool modalBoxOpen() const override { return boxOpen(app_); }
    void bringOpenBoxForward() override { kavo::bringOpenBoxForward(app_); }

  private:
    App& app_;
};

} // namespace

LRESULT onQueryEndSession(App& app, LPARAM reasons) {
    WindowsSessionHost host(app);
    const SessionEndKind kind =
        (reasons & ENDSESSION_CRITICAL) != 0 ? SessionEndKind::Critical : SessionEndKind::Ordinary;
    return answerSessionEnd(app.store.dirty, kind, host) ? TRUE : FALSE;
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
