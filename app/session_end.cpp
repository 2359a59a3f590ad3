#include "app/session_end.h"

namespace kavo {

bool answerSessionEnd(bool unsavedChanges, SessionHost& host) {
    if (!unsavedChanges) {
        host.releaseSession();
        return true;
    }
    // Windows names the reason while the user answers, and after a refusal.
    host.holdSession();
    if (host.modalBoxOpen()) {
        // A second prompt beside the open box could contradict the user's answer there.
        host.bringOpenBoxForward();
        return false;
    }
    if (!host.confirmExit()) {
        return false;
    }
    host.releaseSession();
    return true;
}

} // namespace kavo
