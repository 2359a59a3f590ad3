#include "app/session_end.h"

namespace kavo {

bool answerSessionEnd(bool unsavedChanges, SessionHost& host) {
    if (!unsavedChanges) {
        host.releaseSession();
        return true;
    }
    // Windows names the reason while the user has something of KAVO's to answer.
    host.holdSession();
    if (host.modalBoxOpen()) {
        // A second prompt beside the open box could contradict the user's answer there, and that
        // box still waits.
        host.bringOpenBoxForward();
        return false;
    }
    const bool mayEnd = host.confirmExit();
    host.releaseSession();
    return mayEnd;
}

} // namespace kavo
