#include "resources/resource.h"
#include "tests/e2e/input_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr DWORD kStepTimeoutMs = 5000;
// Long enough that a step which should not come would have come.
constexpr DWORD kQuietMs = 600;

const Entry kTimed{u"timed", u"T", u"t-user", u"t-pass"};
const Entry kPasted{u"pasted", u"V", u"v-user", u"v-pass"};
const Entry kEither{u"either", u"W", u"w-user", u"w-pass"};
const Entry kButton{u"button", u"B", u"b-user", u"b-pass"};

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = kStepTimeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += 20) {
        if (condition()) {
            return true;
        }
        pumpMessages(20);
    }
    return false;
}

// The colour of the strip beside the toolbar buttons, where the window's background shows.
COLORREF backgroundColour(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT point{client.right - 12, 6};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool clipboardBecomes(const std::u16string& text, DWORD timeoutMs = kStepTimeoutMs) {
    return waitFor([&] { return clipboardText() == text; }, timeoutMs);
}

// A running KAVO on the four entries, with the given settings, ready for input.
class SequenceTest : public ::testing::Test {
  protected:
    void start(SettingsRecord settings) {
        writeDataFiles(dir_, std::vector<Entry>{kTimed, kPasted, kEither, kButton}, settings);
        setClipboardText(u"before");
        kavo_ = std::make_unique<Kavo>(dir_.path());
        kavo_->shownWindow();
        list_ = std::make_unique<ListDriver>(*kavo_);
    }
    static SettingsRecord quickTimers() {
        SettingsRecord settings = lockedSettings();
        settings.idTimeMs = 400;
        settings.pwTimeMs = 400;
        return settings;
    }
    void pressIdOn(int row) {
        list_->selectRows({row});
        kavo_->command(IDC_TB_ID);
    }
    std::wstring title() { return kavo_->title(); }
    bool titleBecomes(const std::wstring& text) {
        return waitFor([&] { return kavo_->title() == text; });
    }
    // Painting follows the state change a moment later.
    bool colourBecomes(COLORREF colour) {
        return waitFor([&] { return backgroundColour(kavo_->window()) == colour; });
    }
    // A right-click on the first row, with the real mouse.
    void rightClickFirstRow() {
        HWND header = FindWindowExW(kavo_->listView(), nullptr, L"SysHeader32", nullptr);
        RECT headerRect{};
        GetWindowRect(header, &headerRect);
        // Each click lands a little aside of the last, so two clicks never make a double-click.
        clickOffset_ = clickOffset_ == 0 ? 40 : 0;
        clickAt(headerRect.left + 30 + clickOffset_, headerRect.bottom + 6, MouseButton::Right);
        pumpMessages(100);
        kavo_->settle();
    }

    // True when the title showed the expected state for as long as the holder kept the clipboard.
    bool titleStaysWhileHeld(ClipboardHolder& holder, const std::wstring& expected) {
        for (std::wstring shown; holder.holding(); pumpMessages(20)) {
            if ((shown = title()) != expected) {
                ADD_FAILURE() << "while held the title said " << ::testing::PrintToString(shown);
                return false;
            }
        }
        return true;
    }

    TempDirectory dir_;
    std::unique_ptr<Kavo> kavo_;
    std::unique_ptr<ListDriver> list_;
    int clickOffset_ = 0;

    // Starts with the copy method, selects a row, then right-clicks the first row (which the
    // click selects instead).
    void startAndRightClick(CopyMethod copyMethod, int selectedRow) {
        SettingsRecord settings = quickTimers();
        settings.copyMethod = copyMethod;
        start(settings);
        list_->selectRows({selectedRow});
        rightClickFirstRow();
    }
};

TEST_F(SequenceTest, TimedEntryWalksIdPasswordEndWithTitlesAndColours) {
    start(quickTimers());
    EXPECT_EQ(title(), L"KAVO  (LocK)");
    EXPECT_TRUE(colourBecomes(RGB(255, 255, 255)));

    pressIdOn(0);
    EXPECT_EQ(clipboardText(), u"t-user");
    EXPECT_EQ(title(), L"KAVO   (ID)");
    EXPECT_TRUE(colourBecomes(RGB(100, 200, 100)));

    ASSERT_TRUE(clipboardBecomes(u"t-pass"));
    EXPECT_TRUE(titleBecomes(L"KAVO   (PW)"));
    EXPECT_TRUE(colourBecomes(RGB(100, 100, 200)));

    ASSERT_TRUE(clipboardBecomes(u"pw-End"));
    EXPECT_TRUE(titleBecomes(L"KAVO  (LocK)"));
    EXPECT_TRUE(colourBecomes(RGB(255, 255, 255)));
}

TEST_F(SequenceTest, AlwaysOnTopModeHoldsOnlyWhileASequenceRuns) {
    SettingsRecord settings = quickTimers();
    settings.stacking = Stacking::AlwaysOnTop;
    start(settings);
    const auto topMost = [&] {
        return (GetWindowLongW(kavo_->window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_FALSE(topMost());
    pressIdOn(0);
    EXPECT_TRUE(topMost());
    ASSERT_TRUE(clipboardBecomes(u"t-pass"));
    EXPECT_TRUE(topMost());
    ASSERT_TRUE(clipboardBecomes(u"pw-End"));
    EXPECT_TRUE(waitFor([&] { return !topMost(); }));
}

TEST_F(SequenceTest, PastedEntryAdvancesOnLeftCtrlVTypedIntoAnotherWindowOnly) {
    start(quickTimers());
    PasteTarget target;
    pressIdOn(1);
    ASSERT_EQ(clipboardText(), u"v-user");
    target.focus();

    // V alone and Ctrl+V with the right Ctrl key are not pastes KAVO follows.
    target.typePaste(CtrlKey::None);
    target.typePaste(CtrlKey::Right);
    pumpMessages(kQuietMs);
    EXPECT_EQ(clipboardText(), u"v-user");
    EXPECT_EQ(title(), L"KAVO   (ID)");

    target.clear();
    target.typePaste(CtrlKey::Left);
    ASSERT_TRUE(clipboardBecomes(u"v-pass"));
    EXPECT_EQ(target.text(), L"v-user"); // the paste itself still got the ID
    EXPECT_TRUE(titleBecomes(L"KAVO   (PW)"));

    // No timer for a "V" entry: the password stays until the next paste.
    pumpMessages(kQuietMs);
    EXPECT_EQ(clipboardText(), u"v-pass");
    target.clear();
    target.typePaste(CtrlKey::Left);
    ASSERT_TRUE(clipboardBecomes(u"pw-End"));
    EXPECT_EQ(target.text(), L"v-pass");
}

// Ctrl+V counts as the keys happened, not as the keyboard is when KAVO gets to them: a burst,
// and a paste typed while KAVO's thread is busy (held still here), both advance; a lone V after
// a Ctrl KAVO had to forget does not.
TEST_F(SequenceTest, ABurstOrALatePasteCountsAndAForgottenCtrlDoesNot) {
    start(quickTimers());
    PasteTarget target;
    pressIdOn(1);
    target.focus();
    target.typePasteBurst();
    ASSERT_TRUE(clipboardBecomes(u"v-pass"));

    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(kavo_->window(), &processId);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
    ASSERT_NE(thread, nullptr);
    SuspendThread(thread);
    target.typePaste(CtrlKey::Left);
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_TRUE(clipboardBecomes(u"pw-End"));

    pressIdOn(1);
    ASSERT_EQ(clipboardText(), u"v-user");
    target.focus();
    const INPUT ctrl = [] {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_CONTROL;
        input.ki.wScan = 0x1D;
        return input;
    }();
    INPUT press = ctrl;
    SendInput(1, &press, sizeof(INPUT));
    kavo_->settle();
    // A session change: KAVO may have missed a release meanwhile.
    SendMessageW(kavo_->window(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    target.typePaste(CtrlKey::None);
    INPUT release = ctrl;
    release.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &release, sizeof(INPUT));
    pumpMessages(kQuietMs);
    EXPECT_EQ(clipboardText(), u"v-user");
    target.typePaste(CtrlKey::Left);
    EXPECT_TRUE(clipboardBecomes(u"v-pass"));
}

TEST_F(SequenceTest, EitherEntryAdvancesOnWhicheverComesFirst) {
    SettingsRecord settings = quickTimers();
    settings.idTimeMs = 10000; // the paste comes first here
    start(settings);
    PasteTarget target;
    pressIdOn(2);
    target.focus();
    target.typePaste(CtrlKey::Left);
    ASSERT_TRUE(clipboardBecomes(u"w-pass"));
    // ... and here the 400 ms timer does.
    ASSERT_TRUE(clipboardBecomes(u"pw-End"));
}

TEST_F(SequenceTest, ButtonsWorkWhileLockedAndAnEarlierTimerNeverAdvancesANewEntry) {
    start(quickTimers());
    pressIdOn(0); // "T": its ID timer is running
    pressIdOn(3); // "B": waits for the PW button, whatever the earlier timer was doing
    ASSERT_EQ(clipboardText(), u"b-user");
    pumpMessages(kQuietMs + 400);
    EXPECT_EQ(clipboardText(), u"b-user");
    EXPECT_EQ(title(), L"KAVO   (ID)");

    kavo_->command(IDC_TB_PW);
    EXPECT_EQ(clipboardText(), u"b-pass");
    EXPECT_EQ(title(), L"KAVO   (PW)");
}

TEST_F(SequenceTest, NoSelectionGivesTheButtonsMessage) {
    start(quickTimers());
    kavo_->command(IDC_TB_ID);
    const MessageBoxText box = kavo_->answerNext(IDOK);
    EXPECT_EQ(box.caption, L"ＩＤ記憶");
    EXPECT_EQ(box.text, L"項目を選んで下さい。");
    kavo_->command(IDC_TB_PW);
    EXPECT_EQ(kavo_->answerNext(IDOK).caption, L"ＰＷ記憶");
    EXPECT_EQ(clipboardText(), u"before");
}

TEST_F(SequenceTest, RightClickFollowsTheCopyMethod) {
    startAndRightClick(CopyMethod::ToolbarOnly, 3);
    EXPECT_EQ(kavo_->waitForWindow(L"#32770", kQuietMs), nullptr);
    EXPECT_EQ(clipboardText(), u"before");
    EXPECT_EQ(title(), L"KAVO  (LocK)");
}

TEST_F(SequenceTest, RightClickStartsTheIdPhaseDirectlyWithCopyMethod2) {
    startAndRightClick(CopyMethod::ListClick, 0);
    EXPECT_EQ(clipboardText(), u"t-user");
    EXPECT_EQ(title(), L"KAVO   (ID)");
}

TEST_F(SequenceTest, RightClickOpensTheSmallCopyWindowWithCopyMethod1) {
    startAndRightClick(CopyMethod::SmallWindow, 3);
    HWND copyWindow = kavo_->waitForWindow(L"#32770", kStepTimeoutMs);
    ASSERT_NE(copyWindow, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(copyWindow, caption, 64);
    EXPECT_STREQ(caption, L"クリックボードへコピー");

    // Its close box leaves the clipboard alone and the row deselected.
    PostMessageW(copyWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(copyWindow); }));
    EXPECT_EQ(clipboardText(), u"before");
    EXPECT_TRUE(list_->selectedRows().empty());

    // Its "PassWard" button starts the password phase.
    list_->selectRows({3});
    rightClickFirstRow();
    copyWindow = kavo_->waitForWindow(L"#32770", kStepTimeoutMs);
    ASSERT_NE(copyWindow, nullptr);
    PostMessageW(copyWindow, WM_COMMAND, MAKEWPARAM(IDC_COPY_PW, BN_CLICKED), 0);
    ASSERT_TRUE(clipboardBecomes(u"t-pass"));
    EXPECT_TRUE(titleBecomes(L"KAVO   (PW)"));
}

TEST_F(SequenceTest, AHeldClipboardNeverLetsTheWindowClaimAStepThatHasNotLanded) {
    SettingsRecord settings = quickTimers();
    settings.pwTimeMs = 800;
    start(settings);

    // The password's time runs out while another program holds the clipboard. (The title
    // follows a landed write within the same message; the hold starts once it has.)
    pressIdOn(0);
    ASSERT_TRUE(clipboardBecomes(u"t-pass"));
    ASSERT_TRUE(titleBecomes(L"KAVO   (PW)"));
    {
        ClipboardHolder holder(1500);
        EXPECT_EQ(holder.heldText(), u"t-pass");
        EXPECT_TRUE(titleStaysWhileHeld(holder, L"KAVO   (PW)"));
    }
    ASSERT_TRUE(clipboardBecomes(u"pw-End"));
    EXPECT_TRUE(titleBecomes(L"KAVO  (LocK)"));

    // A new ID start while a password is out and the clipboard held: no "(ID)" over a password.
    pressIdOn(3);
    kavo_->command(IDC_TB_PW);
    ASSERT_EQ(clipboardText(), u"b-pass");
    {
        ClipboardHolder holder(1500);
        pressIdOn(0);
        EXPECT_EQ(holder.heldText(), u"b-pass");
        EXPECT_TRUE(titleStaysWhileHeld(holder, L"KAVO   (PW)"));
    }
    ASSERT_TRUE(clipboardBecomes(u"t-user"));
    EXPECT_TRUE(titleBecomes(L"KAVO   (ID)"));

    // Closing in the password phase while the clipboard is held for a moment: "pw-End" waits
    // for it, silently.
    ASSERT_TRUE(clipboardBecomes(u"t-pass"));
    ClipboardHolder holder(1200);
    EXPECT_TRUE(kavo_->endsWithoutAsking());
    holder.waitForRelease();
    EXPECT_EQ(clipboardText(), u"pw-End");
}

TEST_F(SequenceTest, AClipboardHeldForSecondsIsReportedAndAPasswordLeftAtExitToo) {
    SettingsRecord settings = quickTimers();
    settings.pwTimeMs = 30000; // the password stays out until the program ends
    start(settings);
    pressIdOn(3);
    kavo_->command(IDC_TB_PW);
    ASSERT_EQ(clipboardText(), u"b-pass");

    {
        ClipboardHolder holder(6000); // the notice comes after about three seconds
        pressIdOn(0);
        HWND notice = kavo_->waitForMessageBox(5500);
        ASSERT_NE(notice, nullptr) << "no word of the held clipboard";
        EXPECT_TRUE(holder.holding());
        EXPECT_EQ(title(), L"KAVO   (PW)");
        holder.waitForRelease();
        // The retry goes on behind the notice: the ID lands and the window follows it.
        EXPECT_TRUE(titleBecomes(L"KAVO   (ID)"));
        const MessageBoxText text = kavo_->answer(notice, IDOK);
        EXPECT_EQ(text.caption, L"クリップボード使用中");
        EXPECT_NE(text.text.find(L"パスワードが残っています"), std::wstring::npos);
    }
    ASSERT_TRUE(clipboardBecomes(u"t-pass"));

    // At exit "pw-End" gets about two seconds; held longer, the user learns what may be left.
    ClipboardHolder holder(3500);
    kavo_->close();
    HWND notice = kavo_->waitForMessageBox(4000);
    ASSERT_NE(notice, nullptr) << "exit left the password without a word";
    holder.waitForRelease();
    EXPECT_EQ(clipboardText(), u"t-pass");
    const MessageBoxText text = kavo_->answer(notice, IDOK);
    EXPECT_NE(text.text.find(L"パスワードが残っているかもしれません"), std::wstring::npos);
    EXPECT_TRUE(kavo_->waitForExit());
}

// Rows 0 and 3 selected, a right-click on row 3: row 3 is the one started. One KAVO per copy
// method, so no earlier program's clipboard is still being let go of meanwhile.
class RightClickTest : public SequenceTest {
  protected:
    void rightClickRow3With(CopyMethod copyMethod) {
        SettingsRecord settings = quickTimers();
        settings.copyMethod = copyMethod;
        start(settings);
        list_->selectRows({0, 3});
        const POINT row3 = list_->rowPoint(3);
        clickAt(row3.x, row3.y, MouseButton::Right);
        pumpMessages(100);
        kavo_->settle();
    }
    void expectRow3Started() {
        EXPECT_TRUE(clipboardBecomes(u"b-user"));
        EXPECT_TRUE(titleBecomes(L"KAVO   (ID)"));
        EXPECT_EQ(list_->selectedRows(), std::vector<int>{3});
    }
};

TEST_F(RightClickTest, DirectStartTakesTheRowUnderTheCursorNotTheFirstSelected) {
    rightClickRow3With(CopyMethod::ListClick);
    expectRow3Started();
}

TEST_F(RightClickTest, SmallWindowTakesTheRowUnderTheCursorNotTheFirstSelected) {
    rightClickRow3With(CopyMethod::SmallWindow);
    HWND copyWindow = kavo_->waitForWindow(L"#32770", kStepTimeoutMs);
    ASSERT_NE(copyWindow, nullptr);
    EXPECT_EQ(list_->selectedRows(), std::vector<int>{3});
    PostMessageW(copyWindow, WM_COMMAND, MAKEWPARAM(IDC_COPY_ID, BN_CLICKED), 0);
    expectRow3Started();
}

} // namespace
} // namespace kavo::e2e
