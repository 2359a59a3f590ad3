// The ID -> password -> "pw-End" clipboard sequence: its states, the steps that move between
// them, and how the main window presents each state (title, background, icon, stacking order).
// The window, its timers and the clipboard are reached through SequenceHost, so the decisions
// here run and are tested without Windows.
//
// Another program may hold the clipboard open at any moment. A step whose text has not reached
// the clipboard has not happened: the window keeps showing the state whose value a paste would
// really deliver, and the write is retried on a timer until it lands or a newer one replaces it.
#pragma once

#include "store/entry.h"

#include "resources/resource.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

enum class SequenceState { Idle = 0, IdPhase = 1, PwPhase = 2 };

// One SetWindowPos of the main window with its stored rectangle: Top = top-most without
// resizing, NoTop = not top-most without moving, Bottom = bottom of the order without resizing.
enum class StackingMove { Top, NoTop, Bottom };

// The icon resource of each state (small window icon and tray icon).
enum class StateIcon { Idle = IDI_STATE_IDLE, Id = IDI_STATE_ID, Pw = IDI_STATE_PW };

// Time the target application gets to read the clipboard after a paste before it changes.
constexpr int kPasteDelayMs = 100;

// Written to the clipboard when a sequence ends, so no password stays there.
inline constexpr std::u16string_view kEndMarkerText = u"pw-End";

// How long one clipboard write waits for another program to let go of the clipboard. A step
// waits briefly, since most holders only read it; a timer retry tries once, so the window never
// stalls; the end marker at exit gets a last, longer chance.
constexpr int kStepWritePatienceMs = 300;
constexpr int kRetryWritePatienceMs = 0;
constexpr int kExitWritePatienceMs = 2000;
// A write that did not land is tried again this often...
constexpr int kWriteRetryIntervalMs = 100;
// ...and after this long without landing the user is told what is still on the clipboard.
constexpr int kHeldClipboardNoticeMs = 3000;

// What KAVO itself last put on the clipboard.
enum class ClipboardContent { Nothing, Id, Password, EndMarker };

// How a write that may only replace KAVO's own text went: written; not written because another
// program holds the clipboard; or left alone because the clipboard holds someone else's text.
enum class ClipboardWrite { Written, Held, NotOurs };

// The selected entry as the sequence sees it.
struct SelectedEntry {
    std::u16string id;
    EntryType type;
    std::u16string password;
};

class EntrySource {
  public:
    virtual ~EntrySource() = default;
    // The first selected row, nullopt when no row is selected.
    virtual std::optional<SelectedEntry> selectedEntry() const = 0;
    // Clears the selected, focused and drop-highlighted marks of the selected row, or of every
    // row when none is selected.
    virtual void clearRowMarksOfSelection() = 0;
};

// The window the user is looking at when a phase is started (the main window or the small copy
// window): it owns the "no entry selected" message and the notices about a held clipboard.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0; // MB_OK
};

// The main window around the sequence.
class SequenceHost {
  public:
    virtual ~SequenceHost() = default;
    // The clipboard writer, waiting up to patienceMs for another holder of the clipboard. True
    // when the text is on the clipboard; an empty text leaves the clipboard alone and counts as
    // written.
    virtual bool putClipboardText(std::u16string_view text, int patienceMs) = 0;
    // The same, but only while the clipboard's text is still ownText, all in one opening of the
    // clipboard. A program that put back the same text still counts.
    virtual ClipboardWrite replaceOwnClipboardText(std::u16string_view ownText,
                                                   std::u16string_view text, int patienceMs) = 0;
    virtual void setSequenceTimer(int ms) = 0; // replaces a running one
    virtual void killSequenceTimer() = 0;
    virtual void setPasteTimer(int ms) = 0; // replaces a running one
    virtual void killPasteTimer() = 0;
    virtual void setRetryTimer(int ms) = 0; // repeats until killed
    virtual void killRetryTimer() = 0;
    virtual void moveWindow(StackingMove move) = 0;
    virtual void storeWindowPosition() = 0; // current left/top into windowX/windowY
    virtual void setSmallIcon(StateIcon icon) = 0;
    virtual void refreshTrayIcon() = 0;
    virtual void repaint() = 0; // invalidate with erasing, then update
};

class ClipboardSequence {
  public:
    ClipboardSequence(EntrySource& entries, SettingsRecord& settings, SequenceHost& host);

    // The ID button (quiet = false) or a right-click start (quiet = true: no message when
    // nothing is selected). A start made repaints the window through the host, as every step
    // does; without a selection nothing changes and nothing is repainted.
    void startIdPhase(MessageSink& owner, bool quiet);
    // The PW button, likewise.
    void startPwPhase(MessageSink& owner);
    // One step, after the sequence timer or the paste timer fired (the caller has killed the
    // timer that fired). While a step waits for the clipboard, that step is already under way and
    // a second timer makes no second one.
    void advance();
    // A Ctrl+V was seen anywhere on the desktop. While a write waits for the clipboard the paste
    // delivered the old content, so it makes no step.
    void onPasteDetected();
    // The retry timer fired: tries the waiting write once more; when it lands, its step completes
    // as if it had landed at once. The owner hears once if the clipboard stays held.
    void retryPendingWrite(MessageSink& owner);
    // The program ends: drops a waiting write and gives "pw-End" a last chance over an ID or
    // password of KAVO's that is still on the clipboard. When even that fails for a held
    // clipboard, the owner is told. A copy of the user's is never replaced.
    void clearClipboardAtExit(MessageSink& owner);

    // The state whose value is on the clipboard; a step still waiting for it does not count.
    SequenceState state() const { return state_; }
    // The entry started last advances on its own after idTimeMs / pwTimeMs.
    bool timed() const { return timed_; }
    // The entry started last advances shortly after a paste. Kept in the settings so that it
    // survives a restart.
    bool pasteArmed() const { return settings_.pasteArmed != 0; }
    // The password that the step out of the ID phase puts on the clipboard.
    const std::u16string& pendingPassword() const { return pendingPassword_; }

  private:
    enum class Step { StartId, StartPw, ToPwPhase, ToIdle };
    // A step and the text whose landing on the clipboard makes it happen.
    struct StepWrite {
        Step step;
        std::u16string text;
        SelectedEntry entry; // the row a start was made on
        int retries = 0;
        bool told = false;
    };

    static ClipboardContent contentWrittenBy(Step step);
    ClipboardWrite tryWrite(const StepWrite& write, int patienceMs);
    void write(StepWrite write);
    void land(const StepWrite& write, ClipboardWrite result);
    void complete(const StepWrite& write);
    void takePacingOf(const SelectedEntry& entry);
    void dropLeftoverTimers();
    void dropPendingWrite();
    void applyStacking(SequenceState entering);
    void completeStartId(const SelectedEntry& entry);
    void completeStartPw(const SelectedEntry& entry);
    void completeToPwPhase();
    void completeToIdle();

    EntrySource& entries_;
    SettingsRecord& settings_;
    SequenceHost& host_;
    SequenceState state_ = SequenceState::Idle;
    bool timed_ = false;
    std::u16string pendingPassword_;
    std::optional<StepWrite> pending_;
    // What KAVO itself last got onto the clipboard, for the notices, and its text: "pw-End"
    // replaces only that, never what the user copied since.
    ClipboardContent lastWritten_ = ClipboardContent::Nothing;
    std::u16string ownText_;
    // A notice is on screen; its message loop keeps the retry timer running.
    bool noticeShown_ = false;
};

struct Presentation {
    std::u16string_view title;
    enum class Brush {
        DarkGray,  // stock dark gray
        LightGray, // stock light gray
        DcBrush,   // the device context's brush colour, white by default
        IdGreen,   // RGB(100, 200, 100)
        PwBlue,    // RGB(100, 100, 200)
    } brush;
    StateIcon icon;
};

// Title, background and icon of the main window. When idle, pass mode wins over unlocked.
Presentation presentationFor(SequenceState state, bool unlocked, std::int32_t passMode);

// The window moves, in order, for a stacking mode when a state is entered; entering Idle is the
// end of a sequence. A number no mode stands for makes no move.
std::vector<StackingMove> stackingMoves(Stacking stacking, SequenceState entering);

} // namespace kavo
