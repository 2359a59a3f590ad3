#include "sequencer/sequence.h"

#include "store/secure_wipe.h"
#include "store/text_format.h"

#include "resources/texts.h"

#include <utility>

namespace kavo {

namespace {

std::u16string_view describe(ClipboardContent content) {
    switch (content) {
    case ClipboardContent::Id:
        return kIdName;
    case ClipboardContent::Password:
        return kPasswordName;
    case ClipboardContent::EndMarker:
        return kEndMarkerName;
    case ClipboardContent::Nothing:
        break;
    }
    return u"";
}

// Short lines: a message box wraps long ones wherever it likes.
std::u16string heldClipboardNotice(ClipboardContent onClipboard) {
    std::u16string text(kClipboardHeldText);
    if (onClipboard == ClipboardContent::Nothing) {
        text += kClipboardUnchangedText;
    } else {
        text += formatText(kStillOnClipboardText, {describe(onClipboard)});
    }
    text += kKeepTryingText;
    return text;
}

std::u16string leftOnClipboardNotice(ClipboardContent onClipboard) {
    std::u16string text(kClipboardNotClearedText);
    text += describe(onClipboard);
    text += kMayStayOnClipboardText;
    return text;
}

} // namespace

ClipboardSequence::ClipboardSequence(EntrySource& entries, SettingsRecord& settings,
                                     SequenceHost& host)
    : entries_(entries), settings_(settings), host_(host) {}

void ClipboardSequence::startIdPhase(MessageSink& owner, bool quiet) {
    // The row is read once, so it cannot vanish between the ID, the password and the type.
    std::optional<SelectedEntry> entry = entries_.selectedEntry();
    if (!entry) {
        if (!quiet) {
            owner.showMessage(kSelectEntryText, kIdCaption);
        }
        return;
    }
    dropLeftoverTimers();
    std::u16string id = entry->id;
    write({Step::StartId, std::move(id), std::move(*entry)});
    host_.repaint();
}

void ClipboardSequence::startPwPhase(MessageSink& owner) {
    std::optional<SelectedEntry> entry = entries_.selectedEntry();
    if (!entry) {
        owner.showMessage(kSelectEntryText, kPwCaption);
        return;
    }
    dropLeftoverTimers();
    std::u16string password = entry->password;
    write({Step::StartPw, std::move(password), std::move(*entry)});
    host_.repaint();
}

void ClipboardSequence::advance() {
    if (pending_) {
        return;
    }
    switch (state_) {
    case SequenceState::IdPhase:
        // When the sequence timer makes this step, a paste seen just before it was a paste of
        // the ID; its timer must not end the password phase a moment later.
        host_.killPasteTimer();
        write({Step::ToPwPhase, pendingPassword_, {}});
        break;
    case SequenceState::PwPhase:
        write({Step::ToIdle, std::u16string(kEndMarkerText), {}});
        break;
    case SequenceState::Idle:
        // A paste timer may still fire after the end while pasteArmed is left set.
        break;
    }
    host_.refreshTrayIcon();
    host_.repaint();
}

void ClipboardSequence::onPasteDetected() {
    if (pasteArmed() && !pending_) {
        host_.setPasteTimer(kPasteDelayMs);
    }
}

void ClipboardSequence::retryPendingWrite(MessageSink& owner) {
    if (!pending_) {
        host_.killRetryTimer();
        return;
    }
    const ClipboardWrite result = tryWrite(*pending_, kRetryWritePatienceMs);
    if (result != ClipboardWrite::Held) {
        const StepWrite landed = std::move(*pending_);
        dropPendingWrite();
        land(landed, result);
        host_.refreshTrayIcon();
        host_.repaint();
        return;
    }
    ++pending_->retries;
    const bool heldTooLong = pending_->retries * kWriteRetryIntervalMs >= kHeldClipboardNoticeMs;
    if (heldTooLong && !pending_->told && !noticeShown_) {
        pending_->told = true;
        // The notice's own message loop goes on retrying; by the time it closes the write may
        // have landed, so nothing here may touch the write afterwards.
        noticeShown_ = true;
        owner.showMessage(heldClipboardNotice(lastWritten_), kHeldClipboardCaption);
        noticeShown_ = false;
    }
}

void ClipboardSequence::clearClipboardAtExit(MessageSink& owner) {
    dropPendingWrite();
    dropLeftoverTimers();
    // Nothing to clear unless an ID or password of KAVO's may still be there.
    if (lastWritten_ != ClipboardContent::Id && lastWritten_ != ClipboardContent::Password) {
        return;
    }
    switch (host_.replaceOwnClipboardText(ownText_, kEndMarkerText, kExitWritePatienceMs)) {
    case ClipboardWrite::Written:
        lastWritten_ = ClipboardContent::EndMarker;
        ownText_ = kEndMarkerText;
        break;
    case ClipboardWrite::NotOurs:
        // The user copied something since: that stays, and there is nothing to tell.
        break;
    case ClipboardWrite::Held:
        owner.showMessage(leftOnClipboardNotice(lastWritten_), kHeldClipboardCaption);
        break;
    }
}

// The ID and the password are written whatever the clipboard holds; "pw-End" only over KAVO's
// own last text, since it protects nothing else and would destroy what the user copied.
ClipboardWrite ClipboardSequence::tryWrite(const StepWrite& write, int patienceMs) {
    if (write.step != Step::ToIdle) {
        return host_.putClipboardText(write.text, patienceMs) ? ClipboardWrite::Written
                                                              : ClipboardWrite::Held;
    }
    if (ownText_.empty()) {
        return ClipboardWrite::NotOurs;
    }
    return host_.replaceOwnClipboardText(ownText_, write.text, patienceMs);
}

// A newer write replaces one still waiting: the user has moved on to another step.
void ClipboardSequence::write(StepWrite write) {
    dropPendingWrite();
    const ClipboardWrite result = tryWrite(write, kStepWritePatienceMs);
    if (result != ClipboardWrite::Held) {
        land(write, result);
        return;
    }
    pending_ = std::move(write);
    host_.setRetryTimer(kWriteRetryIntervalMs);
}

// The step happens either way; only what KAVO knows of the clipboard differs.
void ClipboardSequence::land(const StepWrite& write, ClipboardWrite result) {
    if (result == ClipboardWrite::NotOurs) {
        lastWritten_ = ClipboardContent::Nothing;
        ownText_.clear();
    } else if (!write.text.empty()) {
        // An empty ID or password leaves the clipboard as it was.
        lastWritten_ = contentWrittenBy(write.step);
        ownText_ = write.text;
    }
    complete(write);
}

void ClipboardSequence::complete(const StepWrite& write) {
    switch (write.step) {
    case Step::StartId:
        completeStartId(write.entry);
        break;
    case Step::StartPw:
        completeStartPw(write.entry);
        break;
    case Step::ToPwPhase:
        completeToPwPhase();
        break;
    case Step::ToIdle:
        completeToIdle();
        break;
    }
}

ClipboardContent ClipboardSequence::contentWrittenBy(Step step) {
    switch (step) {
    case Step::StartId:
        return ClipboardContent::Id;
    case Step::StartPw:
    case Step::ToPwPhase:
        return ClipboardContent::Password;
    case Step::ToIdle:
        break;
    }
    return ClipboardContent::EndMarker;
}

void ClipboardSequence::completeStartId(const SelectedEntry& entry) {
    pendingPassword_ = entry.password;
    host_.storeWindowPosition();
    applyStacking(SequenceState::IdPhase);
    host_.setSmallIcon(StateIcon::Id);
    takePacingOf(entry);
    state_ = SequenceState::IdPhase;
    if (timed_) {
        host_.setSequenceTimer(settings_.idTimeMs);
    }
}

void ClipboardSequence::completeStartPw(const SelectedEntry& entry) {
    // The stored rectangle is used as it is: the window has not moved since the ID phase.
    applyStacking(SequenceState::PwPhase);
    host_.setSmallIcon(StateIcon::Pw);
    takePacingOf(entry);
    state_ = SequenceState::PwPhase;
    if (timed_ || settings_.pwTimerForButton != 0) {
        host_.setSequenceTimer(settings_.pwTimeMs);
    }
}

void ClipboardSequence::completeToPwPhase() {
    state_ = SequenceState::PwPhase;
    applyStacking(SequenceState::PwPhase);
    host_.setSmallIcon(StateIcon::Pw);
    if (timed_) {
        host_.setSequenceTimer(settings_.pwTimeMs);
    }
}

void ClipboardSequence::completeToIdle() {
    state_ = SequenceState::Idle;
    // The sequence is over: its password is needed no more.
    wipeText(pendingPassword_);
    if (settings_.clearSelectionAtEnd != 0) {
        entries_.clearRowMarksOfSelection();
    }
    applyStacking(SequenceState::Idle);
    host_.setSmallIcon(StateIcon::Idle);
}

void ClipboardSequence::takePacingOf(const SelectedEntry& entry) {
    timed_ = entry.type.advancesByTimer();
    settings_.pasteArmed = entry.type.advancesByPaste() ? 1 : 0;
}

// A timer started for an earlier entry must not step the new sequence.
void ClipboardSequence::dropLeftoverTimers() {
    host_.killSequenceTimer();
    host_.killPasteTimer();
}

void ClipboardSequence::dropPendingWrite() {
    if (pending_) {
        pending_.reset();
        host_.killRetryTimer();
    }
}

void ClipboardSequence::applyStacking(SequenceState entering) {
    for (const StackingMove move : stackingMoves(settings_.stacking, entering)) {
        host_.moveWindow(move);
    }
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

std::vector<StackingMove> stackingMoves(Stacking stacking, SequenceState entering) {
    using enum StackingMove;
    const bool ending = entering == SequenceState::Idle;
    const bool enteringPw = entering == SequenceState::PwPhase;
    switch (stacking) {
    case Stacking::TopAtIdBottomAtEnd:
        if (ending) {
            return {NoTop, Bottom, NoTop};
        }
        return {Top};
    case Stacking::TopAtIdBottomAtPw:
        if (ending) {
            return {NoTop};
        }
        if (enteringPw) {
            return {NoTop, Bottom};
        }
        return {Top};
    case Stacking::BottomAtId:
        if (ending) {
            return {NoTop};
        }
        return {NoTop, Bottom};
    case Stacking::AlwaysOnTop:
        if (ending) {
            return {NoTop};
        }
        return {Top};
    }
    return {};
}

} // namespace kavo
