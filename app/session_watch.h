// The watch that lets a locked Windows session lock KAVO. Registering for the session's
// notifications fails while the session services are not up yet, which is just when a KAVO
// started at log-on asks; a failed registration is tried again every few seconds until it holds.
#pragma once

namespace kavo {

constexpr int kSessionWatchRetryMs = 3000;

// What the watch needs from Windows and the main window.
class SessionWatchHost {
  public:
    virtual ~SessionWatchHost() = default;
    // True once Windows will send the notifications.
    virtual bool registerForNotifications() = 0;
    virtual void unregisterFromNotifications() = 0;
    // A timer that fires every ms until stopped, and calls SessionWatch::onRetryTimer.
    virtual void startRetryTimer(int ms) = 0;
    virtual void stopRetryTimer() = 0;
};

class SessionWatch {
  public:
    // When the main window is created.
    void start(SessionWatchHost& host);
    void onRetryTimer(SessionWatchHost& host);
    // When the main window goes: no retry outlives it, and only a registration is undone.
    void stop(SessionWatchHost& host);
    bool registered() const { return registered_; }

  private:
    void tryRegister(SessionWatchHost& host);

    bool registered_ = false;
    bool retrying_ = false;
};

} // namespace kavo
