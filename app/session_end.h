// What KAVO answers when Windows asks whether the session (log-off, shutdown, a restart for an
// update) may end.
#pragma once

namespace kavo {

// What the answer needs from Windows and from the rest of the program.
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    // Tells Windows why KAVO holds the session, which it shows beside KAVO meanwhile; and that
    // KAVO no longer holds it.
    virtual void holdSession() = 0;
    virtual void releaseSession() = 0;
    // Writes the unsaved changes to a recovery pair of their own, complete and flushed, which the
    // next start offers back: Windows may end KAVO before the prompt is answered.
    virtual void keepUnsavedChanges() = 0;
    // The exit prompt: true when KAVO may end (Yes and saved, or No).
    virtual bool confirmExit() = 0;
    // One of KAVO's modal boxes is open, and the way to show it to the user.
    virtual bool modalBoxOpen() const = 0;
    virtual void bringOpenBoxForward() = 0;
};

// How Windows asks: a critical end (ENDSESSION_CRITICAL) ends every program whatever it answers.
enum class SessionEndKind { Ordinary, Critical };

// True lets the session end. Without unsaved changes nothing asks. With them the changes are first
// written to the recovery pair; then the exit prompt decides, and Cancel refuses; a box of KAVO's
// that is already open keeps its answer, so the request is refused and that box shown. KAVO holds
// the session (Windows shows why) while the prompt or that box waits for the user. A critical end
// asks nothing: the recovery pair is all that can be done.
bool answerSessionEnd(bool unsavedChanges, SessionEndKind kind, SessionHost& host);

} // namespace kavo
