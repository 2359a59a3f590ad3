#include "app/session_end.h"

namespace kavo {

bool answerSessionEnd(bool unsavedChanges, SessionEndKind kind, SessionHost& host) {
    if (!unsavedChanges) {
        host.releaseSession();
        return true;
    }
    // Windows offers to end KAVO a few seconds into the prompt, and a window in the tray cannot
    // hold the session at all: the changes are on the disk before anything waits for the user.
    host.keepUnsavedChanges();
    if (kind == SessionEndKind::Critical) {
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
