#include "sequencer/sequence.h"

namespace kavo {

namespace {

constexpr std::u16string_view kSelectEntryText = u"項目を選んで下さい。";
constexpr std::u16string_view kIdCaption = u"ＩＤ記憶";
constexpr std::u16string_view kPwCaption = u"ＰＷ記憶";

constexpr std::u16string_view kTitlePassMode = u"KAVO  (PASS)";
constexpr std::u16string_view kTitleUnlocked = u"KAVO (UnLocK)";
constexpr std::u16string_view kTitleLocked = u"KAVO  (LocK)";
constexpr std::u16string_view kTitleIdPhase = u"KAVO   (ID)";
constexpr std::u16string_view kTitlePwPhase = u"KAVO   (PW)";

// The type letters that make an entry advance by timer and by paste; any other letter (the
// button type "B" included) waits for a button.
constexpr char16_t kTypeTime = u'T';
constexpr char16_t kTypePaste = u'V';
constexpr char16_t kTypePasteOrTime = u'W';

// The stacking modes of the settings.
constexpr std::int32_t kTopAtIdBottomAtEnd = 0;
constexpr std::int32_t kTopAtIdBottomAtPw = 1;
constexpr std::int32_t kBottomAtId = 2;
constexpr std::int32_t kAlwaysOnTop = 3;

// Only the first unit counts: the list cell is read through a buffer with room for one.
char16_t letterOf(const SelectedEntry& entry) {
    return entry.typeLetter.empty() ? u'\0' : entry.typeLetter.front();
}

} // namespace

ClipboardSequence::ClipboardSequence(EntrySource& entries, SettingsRecord& settings,
                                     SequenceHost& host)
    : entries_(entries), settings_(settings), host_(host) {}

void ClipboardSequence::startIdPhase(MessageSink& owner, bool quiet) {
    // The row is read once, so it cannot vanish between the ID, the password and the type.
    const std::optional<SelectedEntry> entry = entries_.selectedEntry();
    if (!entry) {
        if (!quiet) {
            owner.showMessage(kSelectEntryText, kIdCaption);
        }
        return;
    }
    dropLeftoverTimers();
    host_.putClipboardText(entry->id);
    pendingPassword_ = entry->password;
    host_.storeWindowPosition();
    applyStacking(SequenceState::IdPhase);
    host_.setSmallIcon(StateIcon::Id);
    takePacingOf(*entry);
    state_ = SequenceState::IdPhase;
    if (timed_) {
        host_.setSequenceTimer(settings_.idTimeMs);
    }
}

void ClipboardSequence::startPwPhase(MessageSink& owner) {
    const std::optional<SelectedEntry> entry = entries_.selectedEntry();
    if (!entry) {
        owner.showMessage(kSelectEntryText, kPwCaption);
        return;
    }
    dropLeftoverTimers();
    host_.putClipboardText(entry->password);
    // The stored rectangle is used as it is: the window has not moved since the ID phase.
    applyStacking(SequenceState::PwPhase);
    host_.setSmallIcon(StateIcon::Pw);
    takePacingOf(*entry);
    state_ = SequenceState::PwPhase;
    if (timed_ || settings_.pwTimerForButton != 0) {
        host_.setSequenceTimer(settings_.pwTimeMs);
    }
}

void ClipboardSequence::advance() {
    switch (state_) {
    case SequenceState::IdPhase:
        stepToPwPhase();
        break;
    case SequenceState::PwPhase:
        stepToIdle();
        break;
    case SequenceState::Idle:
        // A paste timer may still fire after the end while pasteArmed is left set.
        break;
    }
    host_.refreshTrayIcon();
    host_.repaint();
}

void ClipboardSequence::onPasteDetected() {
    if (pasteArmed()) {
        host_.setPasteTimer(kPasteDelayMs);
    }
}

void ClipboardSequence::takePacingOf(const SelectedEntry& entry) {
    const char16_t letter = letterOf(entry);
    timed_ = letter == kTypeTime || letter == kTypePasteOrTime;
    settings_.pasteArmed = (letter == kTypePaste || letter == kTypePasteOrTime) ? 1 : 0;
}

// A timer started for an earlier entry must not step the new sequence.
void ClipboardSequence::dropLeftoverTimers() {
    host_.killSequenceTimer();
    host_.killPasteTimer();
}

void ClipboardSequence::applyStacking(SequenceState entering) {
    for (const StackingMove move : stackingMoves(settings_.stacking, entering)) {
        host_.moveWindow(move);
    }
}

void ClipboardSequence::stepToPwPhase() {
    // When the sequence timer made this step, a paste seen just before it was a paste of the
    // ID; its timer must not end the password phase a moment later.
    host_.killPasteTimer();
    host_.putClipboardText(pendingPassword_);
    state_ = SequenceState::PwPhase;
    applyStacking(SequenceState::PwPhase);
    host_.setSmallIcon(StateIcon::Pw);
    if (timed_) {
        host_.setSequenceTimer(settings_.pwTimeMs);
    }
}

void ClipboardSequence::stepToIdle() {
    host_.putClipboardText(kEndMarkerText);
    state_ = SequenceState::Idle;
    if (settings_.clearSelectionAtEnd != 0) {
        entries_.clearRowMarksOfSelection();
    }
    applyStacking(SequenceState::Idle);
    host_.setSmallIcon(StateIcon::Idle);
}

Presentation presentationFor(SequenceState state, bool unlocked, std::int32_t passMode) {
    using Brush = Presentation::Brush;
    switch (state) {
    case SequenceState::IdPhase:
        return {kTitleIdPhase, Brush::IdGreen, StateIcon::Id};
    case SequenceState::PwPhase:
        return {kTitlePwPhase, Brush::PwBlue, StateIcon::Pw};
    case SequenceState::Idle:
        break;
    }
    if (passMode == kPassModeMarker) {
        return {kTitlePassMode, Brush::DarkGray, StateIcon::Idle};
    }
    if (unlocked) {
        return {kTitleUnlocked, Brush::LightGray, StateIcon::Idle};
    }
    return {kTitleLocked, Brush::DcBrush, StateIcon::Idle};
}

std::vector<StackingMove> stackingMoves(std::int32_t stacking, SequenceState entering) {
    using enum StackingMove;
    const bool ending = entering == SequenceState::Idle;
    const bool enteringPw = entering == SequenceState::PwPhase;
    switch (stacking) {
    case kTopAtIdBottomAtEnd:
        if (ending) {
            return {NoTop, Bottom, NoTop};
        }
        return {Top};
    case kTopAtIdBottomAtPw:
        if (ending) {
            return {NoTop};
        }
        if (enteringPw) {
            return {NoTop, Bottom};
        }
        return {Top};
    case kBottomAtId:
        if (ending) {
            return {NoTop};
        }
        return {NoTop, Bottom};
    case kAlwaysOnTop:
        if (ending) {
            return {NoTop};
        }
        return {Top};
    default:
        return {};
    }
}

} // namespace kavo
