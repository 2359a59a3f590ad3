#include "app/relock_win.h"

#include "app/app_state_win.h"
#include "app/commands_win.h"
#include "win/timer_ids.h"

#include <wtsapi32.h>

#include <string_view>

namespace kavo {

void hideRevealedPasswordsIfLocked(App& app) {
    if (app.editingAllowed() || app.table == nullptr) {
        return;
    }
    KillTimer(app.mainWindow, kRevealTimerId);
    app.table->maskPasswords();
}

namespace {

// wtsapi32 is no KnownDLL: imported directly, Windows would look for it beside KAVO.exe before
// any line of KAVO runs. Loaded here by its full path, it comes from the system folder only.
HMODULE g_sessionApi = nullptr;

template <typename Function>
Function* sessionFunction(const char* name) {
    if (g_sessionApi == nullptr) {
        wchar_t path[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        constexpr std::wstring_view kFile = L"\\wtsapi32.dll";
        if (length == 0 || length + kFile.size() >= MAX_PATH) {
            return nullptr;
        }
        kFile.copy(path + length, kFile.size());
        g_sessionApi = LoadLibraryW(path);
    }
    if (g_sessionApi == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(g_sessionApi, name)));
}

} // namespace

namespace {

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
    hideRevealedPasswordsIfLocked(app);
    updateMoveItems(app);
    repaintMainWindow(app);
}

} // namespace kavo
