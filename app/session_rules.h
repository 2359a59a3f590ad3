// What KAVO answers when Windows asks whether the session (log-off, shutdown, a restart for an
// update) may end.
#pragma once

namespace kavo {

enum class SessionEndAnswer {
    Allow,  // nothing would be lost
    Ask,    // the exit prompt decides: Yes saves, No discards, Cancel refuses
    Refuse, // one of KAVO's boxes is already open: its answer counts, so nothing else asks
};

SessionEndAnswer sessionEndAnswer(bool unsavedChanges, bool modalBoxOpen);

} // namespace kavo
