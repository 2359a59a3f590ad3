#include "app/session_watch.h"

namespace kavo {

void SessionWatch::tryRegister(SessionWatchHost& host) {
    registered_ = host.registerForNotifications();
    if (registered_ && retrying_) {
        host.stopRetryTimer();
        retrying_ = false;
    } else if (!registered_ && !retrying_) {
        host.startRetryTimer(kSessionWatchRetryMs);
        retrying_ = true;
    }
}

void SessionWatch::start(SessionWatchHost& host) {
    if (!registered_) {
        tryRegister(host);
    }
}

void SessionWatch::onRetryTimer(SessionWatchHost& host) {
    // A late tick after success or stop changes nothing.
    if (retrying_ && !registered_) {
        tryRegister(host);
    }
}

void SessionWatch::stop(SessionWatchHost& host) {
    if (retrying_) {
        host.stopRetryTimer();
        retrying_ = false;
    }
    if (registered_) {
        host.unregisterFromNotifications();
        registered_ = false;
    }
}

} // namespace kavo
