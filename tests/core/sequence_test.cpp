#include "sequencer/sequence.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kavo {
namespace {

using enum StackingMove;

constexpr int kIdTimeMs = 4000;
constexpr int kPwTimeMs = 3000;
constexpr std::u16string_view kUntouched = u"clipboard before";

class FakeEntries : public EntrySource {
  public:
    std::optional<SelectedEntry> selected;
    int markClears = 0;

    std::optional<SelectedEntry> selectedEntry() const override { return selected; }
    void clearRowMarksOfSelection() override { ++markClears; }
};

class FakeOwner : public MessageSink {
  public:
    std::vector<std::pair<std::u16string, std::u16string>> messages;
    // Runs while a message is "on screen", as its message loop would run timers.
    std::function<void()> whileShown;

    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        messages.emplace_back(text, caption);
        if (whileShown) {
            whileShown();
        }
    }
};

// Keeps the clipboard and the timers as the window would, and records every call in order.
// While `held`, another program holds the clipboard and no text lands.
class FakeHost : public SequenceHost {
  public:
    std::u16string clipboard{kUntouched};
    bool held = false;
    std::vector<int> patiences;
    std::optional<int> sequenceTimer;
    std::optional<int> pasteTimer;
    std::optional<int> retryTimer;
    std::vector<StackingMove> moves;
    std::optional<StateIcon> icon;
    std::vector<std::string> calls;

    bool putClipboardText(std::u16string_view text, int patienceMs) override {
        calls.push_back("clipboard");
        patiences.push_back(patienceMs);
        if (text.empty()) { // the writer leaves the clipboard alone for an empty text
            return true;
        }
        if (held) {
            return false;
        }
        clipboard = text;
        return true;
    }
    ClipboardWrite replaceOwnClipboardText(std::u16string_view ownText, std::u16string_view text,
                                           int patienceMs) override {
        if (!held && clipboard != ownText) {
            return ClipboardWrite::NotOurs;
        }
        return putClipboardText(text, patienceMs) ? ClipboardWrite::Written : ClipboardWrite::Held;
    }
    void setSequenceTimer(int ms) override {
        calls.push_back("setSequenceTimer");
        sequenceTimer = ms;
    }
    void killSequenceTimer() override {
        calls.push_back("killSequenceTimer");
        sequenceTimer.reset();
    }
    void setPasteTimer(int ms) override {
        calls.push_back("setPasteTimer");
        pasteTimer = ms;
    }
    void killPasteTimer() override {
        calls.push_back("killPasteTimer");
        pasteTimer.reset();
    }
    void setRetryTimer(int ms) override {
        calls.push_back("setRetryTimer");
        retryTimer = ms;
    }
    void killRetryTimer() override {
        calls.push_back("killRetryTimer");
        retryTimer.reset();
    }
    void moveWindow(StackingMove move) override {
        calls.push_back("move");
        moves.push_back(move);
    }
    void storeWindowPosition() override { calls.push_back("storeWindowPosition"); }
    void setSmallIcon(StateIcon newIcon) override {
        calls.push_back("icon");
        icon = newIcon;
    }
    void refreshTrayIcon() override { calls.push_back("refreshTrayIcon"); }
    void repaint() override { calls.push_back("repaint"); }
};

class ClipboardSequenceTest : public testing::Test {
  protected:
    ClipboardSequenceTest() {
        settings.idTimeMs = kIdTimeMs;
        settings.pwTimeMs = kPwTimeMs;
    }

    void select(std::u16string_view type, std::u16string_view id = u"alice",
                std::u16string_view password = u"s3cret") {
        entries.selected =
            SelectedEntry{std::u16string(id), EntryType::fromText(type), std::u16string(password)};
    }

    // Fires the running sequence timer after checking that it was set for that duration.
    void fireSequenceTimer(int expectedMs) {
        ASSERT_EQ(host.sequenceTimer, expectedMs);
        host.sequenceTimer.reset();
        sequence.advance();
    }

    void firePasteTimer() {
        ASSERT_EQ(host.pasteTimer, kPasteDelayMs);
        host.pasteTimer.reset();
        sequence.advance();
    }

    // The retry timer fires `times` times; it keeps running until the sequence kills it.
    void fireRetryTimer(int times = 1) {
        for (int i = 0; i < times; ++i) {
            ASSERT_EQ(host.retryTimer, kWriteRetryIntervalMs);
            sequence.retryPendingWrite(owner);
        }
    }

    // Retries that fit into the time before the user is told.
    static constexpr int kRetriesBeforeNotice = kHeldClipboardNoticeMs / kWriteRetryIntervalMs;

    FakeEntries entries;
    SettingsRecord settings;
    FakeHost host;
    FakeOwner owner;
    ClipboardSequence sequence{entries, settings, host};
};

TEST_F(ClipboardSequenceTest, ButtonEntryWaitsForEachButtonAndIgnoresPastes) {
    // "B" and every letter that is not T, V or W wait for the buttons.
    for (const std::u16string_view type : {u"B", u"X", u"t", u""}) {
        SCOPED_TRACE(std::string(type.begin(), type.end()));
        select(type);
        sequence.startIdPhase(owner, false);
        EXPECT_EQ(host.clipboard, u"alice");
        EXPECT_EQ(sequence.state(), SequenceState::IdPhase);
        EXPECT_FALSE(sequence.timed());
        EXPECT_FALSE(sequence.pasteArmed());
        EXPECT_FALSE(host.sequenceTimer);
        sequence.onPasteDetected();
        EXPECT_FALSE(host.pasteTimer);

        sequence.startPwPhase(owner);
        EXPECT_EQ(host.clipboard, u"s3cret");
        EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
        EXPECT_FALSE(host.sequenceTimer);
    }
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(ClipboardSequenceTest, PwTimerForButtonEndsAButtonStartedPwPhase) {
    settings.pwTimerForButton = 1;
    select(u"B");
    sequence.startIdPhase(owner, false);
    EXPECT_FALSE(host.sequenceTimer); // the option plays no part in the ID phase
    sequence.startPwPhase(owner);
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(host.clipboard, u"pw-End");
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
}

TEST_F(ClipboardSequenceTest, TimeEntryRunsThroughByTimerAlone) {
    select(u"T");
    sequence.startIdPhase(owner, false);
    EXPECT_TRUE(sequence.timed());
    EXPECT_FALSE(sequence.pasteArmed());
    EXPECT_EQ(host.clipboard, u"alice");
    EXPECT_EQ(host.icon, StateIcon::Id);
    sequence.onPasteDetected();
    EXPECT_FALSE(host.pasteTimer);

    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    EXPECT_EQ(host.clipboard, u"s3cret");
    EXPECT_EQ(host.icon, StateIcon::Pw);

    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(host.clipboard, u"pw-End");
    EXPECT_EQ(host.icon, StateIcon::Idle);
    EXPECT_FALSE(host.sequenceTimer);
}

TEST_F(ClipboardSequenceTest, PasteEntryStepsAShortDelayAfterEachPaste) {
    select(u"V");
    sequence.startIdPhase(owner, false);
    EXPECT_FALSE(sequence.timed());
    EXPECT_TRUE(sequence.pasteArmed());
    EXPECT_FALSE(host.sequenceTimer);

    sequence.onPasteDetected();
    EXPECT_EQ(host.pasteTimer, kPasteDelayMs);
    EXPECT_EQ(host.clipboard, u"alice"); // the target still reads the ID
    firePasteTimer();
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    EXPECT_EQ(host.clipboard, u"s3cret");
    EXPECT_FALSE(host.sequenceTimer);

    sequence.onPasteDetected();
    firePasteTimer();
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(host.clipboard, u"pw-End");
}

TEST_F(ClipboardSequenceTest, TwoQuickPastesMakeOneStep) {
    select(u"V");
    sequence.startIdPhase(owner, false);
    sequence.onPasteDetected();
    sequence.onPasteDetected(); // restarts the same paste timer
    firePasteTimer();
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    EXPECT_FALSE(host.pasteTimer);
}

TEST_F(ClipboardSequenceTest, PasteOrTimeEntryStepsOnWhicheverComesFirst) {
    select(u"W");
    sequence.startIdPhase(owner, false);
    EXPECT_TRUE(sequence.timed());
    EXPECT_EQ(settings.pasteArmed, 1); // kept in the settings, so it survives a restart
    EXPECT_EQ(host.sequenceTimer, kIdTimeMs);

    // A paste before the ID time is up: the password follows and its timer replaces the ID's.
    sequence.onPasteDetected();
    firePasteTimer();
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);

    fireSequenceTimer(kPwTimeMs); // no paste this time
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(host.clipboard, u"pw-End");
}

TEST_F(ClipboardSequenceTest, TimerStepDropsAPasteOfTheIdStillWaiting) {
    select(u"W");
    sequence.startIdPhase(owner, false);
    sequence.onPasteDetected(); // the ID was pasted just before its time ran out
    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    // Otherwise the paste timer would end the password phase 100 ms later.
    EXPECT_FALSE(host.pasteTimer);
}

TEST_F(ClipboardSequenceTest, PendingPasswordIsTheOneOfTheRowStartedWith) {
    select(u"T", u"alice", u"first");
    sequence.startIdPhase(owner, false);
    EXPECT_EQ(sequence.pendingPassword(), u"first");
    select(u"T", u"bob", u"second"); // the table changes while the ID is out
    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(host.clipboard, u"first");
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(sequence.pendingPassword(), u""); // wiped when the sequence ends
}

TEST_F(ClipboardSequenceTest, PwButtonOnTimeEntryShowsThePasswordForPwTimeThenEnds) {
    select(u"B", u"old", u"older");
    sequence.startIdPhase(owner, false);
    select(u"T", u"alice", u"direct");
    sequence.startPwPhase(owner);
    EXPECT_EQ(host.clipboard, u"direct");
    EXPECT_EQ(sequence.pendingPassword(), u"older"); // only an ID start takes it
    EXPECT_EQ(settings.pasteArmed, 0);
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(host.clipboard, u"pw-End");
}

TEST_F(ClipboardSequenceTest, WithoutSelectionOnlyTheOwnerHearsOfIt) {
    select(u"T");
    sequence.startIdPhase(owner, false);
    const FakeHost before = host;
    entries.selected.reset();

    sequence.startIdPhase(owner, false);
    sequence.startIdPhase(owner, true); // a right-click start stays silent
    sequence.startPwPhase(owner);

    const std::vector<std::pair<std::u16string, std::u16string>> expected{
        {u"項目を選んで下さい。", u"ＩＤ記憶"}, {u"項目を選んで下さい。", u"ＰＷ記憶"}};
    EXPECT_EQ(owner.messages, expected);
    EXPECT_EQ(host.calls, before.calls); // the running timer is left alone too
    EXPECT_EQ(host.sequenceTimer, kIdTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);
}

TEST_F(ClipboardSequenceTest, EmptyIdOrPasswordLeavesTheClipboardButTheStateMoves) {
    select(u"T", u"", u"");
    sequence.startIdPhase(owner, false);
    EXPECT_EQ(host.clipboard, kUntouched);
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);
    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(host.clipboard, kUntouched);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    sequence.startPwPhase(owner);
    EXPECT_EQ(host.clipboard, kUntouched);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    // KAVO put nothing there, so the end leaves what was there before.
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(host.clipboard, kUntouched);
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
}

TEST_F(ClipboardSequenceTest, StartingAPhaseDropsTimersOfTheEarlierEntry) {
    select(u"T");
    sequence.startIdPhase(owner, false);
    select(u"B");
    sequence.startIdPhase(owner, false);
    EXPECT_FALSE(host.sequenceTimer); // the T entry's ID timer would step the B entry
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);

    select(u"V");
    sequence.startIdPhase(owner, false);
    sequence.onPasteDetected();
    select(u"B");
    sequence.startPwPhase(owner);
    EXPECT_FALSE(host.pasteTimer);
    EXPECT_FALSE(host.sequenceTimer);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
}

TEST_F(ClipboardSequenceTest, IdStartStoresThePositionBeforeMovingThePwStartDoesNot) {
    settings.stacking = Stacking::TopAtIdBottomAtEnd;
    select(u"B");
    sequence.startIdPhase(owner, false);
    const std::vector<std::string> idStart{"killSequenceTimer",
                                           "killPasteTimer",
                                           "clipboard",
                                           "storeWindowPosition",
                                           "move",
                                           "icon",
                                           "repaint"};
    EXPECT_EQ(host.calls, idStart);
    host.calls.clear();
    sequence.startPwPhase(owner);
    const std::vector<std::string> pwStart{
        "killSequenceTimer", "killPasteTimer", "clipboard", "move", "icon", "repaint"};
    EXPECT_EQ(host.calls, pwStart);
}

TEST_F(ClipboardSequenceTest, EachModeMovesTheWindowAsItsTableSays) {
    struct Mode {
        Stacking stacking;
        std::vector<StackingMove> id, pw, end;
    };
    const std::vector<Mode> modes{
        {Stacking::TopAtIdBottomAtEnd, {Top}, {Top}, {NoTop, Bottom, NoTop}},
        {Stacking::TopAtIdBottomAtPw, {Top}, {NoTop, Bottom}, {NoTop}},
        {Stacking::BottomAtId, {NoTop, Bottom}, {NoTop, Bottom}, {NoTop}},
        {Stacking::AlwaysOnTop, {Top}, {Top}, {NoTop}},
    };
    for (const Mode& mode : modes) {
        SCOPED_TRACE(static_cast<int>(mode.stacking));
        settings.stacking = mode.stacking;
        select(u"T");
        host.moves.clear();
        sequence.startIdPhase(owner, false);
        EXPECT_EQ(host.moves, mode.id);
        host.moves.clear();
        fireSequenceTimer(kIdTimeMs);
        EXPECT_EQ(host.moves, mode.pw);
        host.moves.clear();
        fireSequenceTimer(kPwTimeMs);
        EXPECT_EQ(host.moves, mode.end);
        // The button start of the password phase moves the same way as the timed step.
        EXPECT_EQ(stackingMoves(mode.stacking, SequenceState::PwPhase), mode.pw);
    }
    EXPECT_TRUE(stackingMoves(static_cast<Stacking>(4), SequenceState::IdPhase).empty());
    EXPECT_TRUE(stackingMoves(static_cast<Stacking>(-1), SequenceState::Idle).empty());
}

TEST_F(ClipboardSequenceTest, EndClearsTheSelectionOnlyWhenAsked) {
    select(u"T");
    sequence.startIdPhase(owner, false);
    fireSequenceTimer(kIdTimeMs);
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(entries.markClears, 0);

    settings.clearSelectionAtEnd = 1;
    sequence.startIdPhase(owner, false);
    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(entries.markClears, 0); // not at the password step
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(entries.markClears, 1);
}

TEST_F(ClipboardSequenceTest, PasteWhileIdleWithPasteArmedLeftSetChangesNothing) {
    settings.pasteArmed = 2; // any non-zero value read from the settings file arms it
    EXPECT_TRUE(sequence.pasteArmed());
    sequence.onPasteDetected();
    EXPECT_EQ(host.pasteTimer, kPasteDelayMs);
    host.calls.clear();
    firePasteTimer();
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    EXPECT_EQ(host.clipboard, kUntouched);
    // Every step, even an empty one, refreshes the tray and the window.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"refreshTrayIcon", "repaint"}));
}

TEST_F(ClipboardSequenceTest, AStepWaitsForAHeldClipboardAndCompletesWhenItLands) {
    select(u"W");
    sequence.startIdPhase(owner, false);

    // The ID's time runs out while another program holds the clipboard: the ID stays shown.
    host.held = true;
    fireSequenceTimer(kIdTimeMs);
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);
    EXPECT_EQ(host.icon, StateIcon::Id);
    EXPECT_FALSE(host.sequenceTimer);
    // A paste now delivered the ID again, and a late timer waits behind the step: no steps.
    sequence.onPasteDetected();
    EXPECT_FALSE(host.pasteTimer);
    sequence.advance();
    fireRetryTimer(3);
    EXPECT_EQ(host.patiences.back(), kRetryWritePatienceMs); // a retry never makes the window wait
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);

    // Released: the password lands and the step completes as if at once, its timer included.
    host.held = false;
    fireRetryTimer();
    EXPECT_EQ(host.clipboard, u"s3cret");
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);
    EXPECT_EQ(host.icon, StateIcon::Pw);
    EXPECT_EQ(host.sequenceTimer, kPwTimeMs);
    EXPECT_FALSE(host.retryTimer);
    EXPECT_EQ(host.calls.back(), "repaint");
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(ClipboardSequenceTest, ANewStartReplacesAWriteStillWaiting) {
    select(u"T", u"alice", u"first");
    sequence.startPwPhase(owner);
    host.held = true;
    fireSequenceTimer(kPwTimeMs); // "pw-End" waits

    // A start on another row while the first password is still out: nothing claims the new ID.
    select(u"B", u"bob", u"second");
    sequence.startIdPhase(owner, false);
    EXPECT_EQ(sequence.state(), SequenceState::PwPhase);

    host.held = false;
    fireRetryTimer();
    EXPECT_EQ(host.clipboard, u"bob"); // "pw-End" was replaced, never written over the ID
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);
    EXPECT_EQ(sequence.pendingPassword(), u"second");
    EXPECT_FALSE(host.sequenceTimer);
    EXPECT_FALSE(host.retryTimer);
}

TEST_F(ClipboardSequenceTest, TheUserHearsOnceWhatStaysOnAClipboardHeldTooLong) {
    select(u"B", u"alice", u"s3cret");
    sequence.startPwPhase(owner);
    host.held = true;
    sequence.startIdPhase(owner, false);
    fireRetryTimer(kRetriesBeforeNotice - 1);
    EXPECT_TRUE(owner.messages.empty());

    // The notice's own message loop keeps retrying; here the clipboard comes free meanwhile.
    owner.whileShown = [&] {
        host.held = false;
        sequence.retryPendingWrite(owner);
    };
    fireRetryTimer();
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].second, u"クリップボード使用中");
    EXPECT_NE(owner.messages[0].first.find(u"パスワードが残っています"), std::u16string::npos);
    EXPECT_EQ(sequence.state(), SequenceState::IdPhase);

    // Another write held for long gets one notice of its own, no more.
    owner.whileShown = nullptr;
    host.held = true;
    sequence.startPwPhase(owner);
    fireRetryTimer(3 * kRetriesBeforeNotice);
    ASSERT_EQ(owner.messages.size(), 2u);
    EXPECT_NE(owner.messages[1].first.find(u"ＩＤが残っています"), std::u16string::npos);

    // While a notice is up, a newer write held as long brings no second one on top of it.
    bool nested = false;
    owner.whileShown = [&] {
        if (!std::exchange(nested, true)) {
            sequence.startIdPhase(owner, false);
            fireRetryTimer(3 * kRetriesBeforeNotice);
        }
    };
    sequence.startPwPhase(owner);
    fireRetryTimer(kRetriesBeforeNotice);
    EXPECT_EQ(owner.messages.size(), 3u);
}

TEST_F(ClipboardSequenceTest, ExitGivesTheEndMarkerALastChanceAndTellsWhenAValueMayStay) {
    // Nothing of KAVO's on the clipboard: nothing to clear, a held clipboard is no one's concern.
    host.held = true;
    sequence.clearClipboardAtExit(owner);
    EXPECT_TRUE(host.patiences.empty());
    EXPECT_TRUE(owner.messages.empty());

    host.held = false;
    select(u"T");
    sequence.startPwPhase(owner);
    host.held = true;
    sequence.clearClipboardAtExit(owner);
    EXPECT_EQ(host.patiences.back(), kExitWritePatienceMs);
    EXPECT_FALSE(host.sequenceTimer);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_NE(owner.messages[0].first.find(u"パスワードが残っているかもしれません"),
              std::u16string::npos);
}

TEST_F(ClipboardSequenceTest, TheEndMarkerReplacesOnlyKavosOwnText) {
    // A copy of the user's made while the password is out stays; the sequence ends as usual.
    select(u"T");
    sequence.startIdPhase(owner, false);
    fireSequenceTimer(kIdTimeMs);
    host.clipboard = u"my own";
    fireSequenceTimer(kPwTimeMs);
    EXPECT_EQ(host.clipboard, u"my own");
    EXPECT_EQ(host.icon, StateIcon::Idle);

    // The ID put back by another program is still KAVO's; the end replaces it after a hold,
    // unless the user copied over it meanwhile.
    sequence.startIdPhase(owner, false);
    host.clipboard = u"alice";
    sequence.clearClipboardAtExit(owner);
    EXPECT_EQ(host.clipboard, u"pw-End");
    sequence.startPwPhase(owner);
    host.held = true;
    fireSequenceTimer(kPwTimeMs);
    host.held = false;
    host.clipboard = u"copied while held";
    fireRetryTimer();
    EXPECT_EQ(host.clipboard, u"copied while held");
    EXPECT_EQ(sequence.state(), SequenceState::Idle);
    sequence.clearClipboardAtExit(owner);
    EXPECT_EQ(host.clipboard, u"copied while held");
    EXPECT_TRUE(owner.messages.empty());
}

TEST(Presentation, TitleBrushAndIconPerStateAndLockFlags) {
    using enum Presentation::Brush;
    struct Case {
        SequenceState state;
        bool unlocked;
        std::int32_t passMode;
        std::u16string_view title;
        Presentation::Brush brush;
        StateIcon icon;
    };
    const std::vector<Case> cases{
        {SequenceState::Idle, true, kPassModeMarker, u"KAVO  (PASS)", DarkGray, StateIcon::Idle},
        {SequenceState::Idle, false, kPassModeMarker, u"KAVO  (PASS)", DarkGray, StateIcon::Idle},
        {SequenceState::Idle, true, 1, u"KAVO (UnLocK)", LightGray, StateIcon::Idle},
        {SequenceState::Idle, false, 0, u"KAVO  (LocK)", DcBrush, StateIcon::Idle},
        {SequenceState::IdPhase, false, 0, u"KAVO   (ID)", IdGreen, StateIcon::Id},
        {SequenceState::IdPhase, true, kPassModeMarker, u"KAVO   (ID)", IdGreen, StateIcon::Id},
        {SequenceState::PwPhase, false, 0, u"KAVO   (PW)", PwBlue, StateIcon::Pw},
        {SequenceState::PwPhase, true, kPassModeMarker, u"KAVO   (PW)", PwBlue, StateIcon::Pw},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.title.begin(), c.title.end()));
        const Presentation shown = presentationFor(c.state, c.unlocked, c.passMode);
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.brush, c.brush);
        EXPECT_EQ(shown.icon, c.icon);
    }
}

} // namespace
} // namespace kavo
