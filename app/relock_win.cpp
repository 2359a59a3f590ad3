#include "app/relock_win.h"

#include "app/app_state_win.h"
#include "app/lock_change_win.h"
#include "win/system_library_win.h"
#include "win/timer_ids.h"

#include <wtsapi32.h>

namespace kavo {

namespace {

// wtsapi32 is no KnownDLL: imported directly, Windows would look for it beside KAVO.exe before
// any line of KAVO runs. Loaded on first use, it comes from the system folder only.
template <typename Function>
Function* sessionFunction(const char* name) {
    return systemFunction<Function>(L"wtsapi32.dll", name);
}

class WindowsSessionWatchHost final : public SessionWatchHost {
  public:
    explicit WindowsSessionWatchHost(HWND window) : window_(window) {}
    bool registerForNotifications() override {
        auto* watch = sessionFunction<decltype(WTSRegisterSessionNotification)>(
            "WTSRegisterSessionNotification");
        return watch != nullptr && watch(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    }
    void unregisterFromNotifications() override {
        if (auto* unwatch = sessionFunction<decltype(WTSUnRegisterSessionNotification)>(
                "WTSUnRegisterSessionNotification")) {
            unwatch(window_);
        }
    }
    void startRetryTimer(int ms) override {
        SetTimer(window_, kSessionWatchTimerId, static_cast<UINT>(ms), nullptr);
    }
    void stopRetryTimer() override { KillTimer(window_, kSessionWatchTimerId); }

  private:
    HWND window_;
};

} // namespace

void watchSession(App& app) {
    WindowsSessionWatchHost host(app.mainWindow);
    app.sessionWatch.start(host);
}

void onSessionWatchTimer(App& app) {
    WindowsSessionWatchHost host(app.mainWindow);
    app.sessionWatch.onRetryTimer(host);
}

void unwatchSession(App& app) {
    WindowsSessionWatchHost host(app.mainWindow);
    app.sessionWatch.stop(host);
}

void onSessionChange(App& app, WPARAM reason) {
    // Keys pressed on the lock screen or while another session had the console never reach
    // KAVO: a Ctrl release may be among them.
    app.pasteDetector.forgetCtrl();
    if (reason != WTS_SESSION_LOCK || !relocksOnSessionLock(app.settings.passMode)) {
        return;
    }
    // Someone who unlocked to edit and walked away finds KAVO locked again.
    app.unlocked = false;
    onLockChanged(app);
}

} // namespace kavo
