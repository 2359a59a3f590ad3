// The edges of KAVO's life, driven from outside: Windows ending the session, a second start on
// the same folder, a run started minimized, a stored place off the screen, and the exit prompt
// meeting the tray menu.
#include "resources/resource.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/e2e/tray_driver.h"

#include <gtest/gtest.h>

#include <functional>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kSettingsFile[] = L"pw_set3.dat";
constexpr wchar_t kExitPrompt[] = L"データー保存後に終了しますか？。";
constexpr DWORD kPollMs = 20;
constexpr DWORD kTimeoutMs = 5000;

bool eventually(const std::function<bool()>& condition) {
    for (DWORD waited = 0; !condition() && waited < kTimeoutMs; waited += kPollMs) {
        Sleep(kPollMs);
    }
    return condition();
}

// The second row moved above the first: an unsaved change.
void moveSecondRowUp(Kavo& kavo) {
    ListDriver list(kavo);
    list.selectRows({1});
    kavo.command(IDC_CMD_MOVE_UP);
}

TEST(SessionEnd, OnlyUnsavedChangesAskCancelRefusesAndTheEndFinishesAsEndDoes) {
    TempDirectory dir;
    const std::vector<Entry> entries = numberedEntries(3);
    const SettingsRecord settings = passModeSettings();
    writeDataFiles(dir, entries, settings);
    Kavo kavo(dir.path());
    kavo.shownWindow();

    EXPECT_EQ(kavo.askToEndSession().get(), TRUE);
    EXPECT_EQ(kavo.waitForMessageBox(0), nullptr);

    moveSecondRowUp(kavo);
    const Bytes listBefore = dir.read(kListFile);
    std::future<LRESULT> answer = kavo.askToEndSession();
    EXPECT_EQ(kavo.answerNext(IDCANCEL).text, kExitPrompt);
    EXPECT_EQ(answer.get(), FALSE);
    EXPECT_TRUE(kavo.isRunning());
    EXPECT_EQ(dir.read(kListFile), listBefore);

    answer = kavo.askToEndSession();
    EXPECT_EQ(kavo.answerNext(IDYES).text, kExitPrompt);
    EXPECT_EQ(answer.get(), TRUE);
    EXPECT_EQ(dir.read(kListFile), listFileFor(pick(entries, {1, 0, 2})));

    // The session ends: the settings are written again and no ID is left on the clipboard.
    ListDriver(kavo).selectRows({1});
    kavo.command(IDC_TB_ID);
    EXPECT_EQ(clipboardText(), entries[0].id);
    DeleteFileW(dir.file(kSettingsFile).c_str());
    kavo.endSession();
    ASSERT_TRUE(kavo.waitForExit());
    EXPECT_EQ(clipboardText(), u"pw-End");
    EXPECT_EQ(dir.read(kSettingsFile), settingsFileBytes(settings));
}

// Windows may end KAVO while the exit prompt waits (it offers "shut down anyway" after a few
// seconds), and a critical end asks nobody: the unsaved changes were written to a recovery pair
// first, which the next start offers back (Yes) or keeps aside as a pair (No).
TEST(SessionEnd, ChangesOfAnEndedSessionComeBackAtTheNextStartOrAreKeptAsideAsAPair) {
    TempDirectory dir;
    const std::vector<Entry> entries = numberedEntries(3);
    writeDataFiles(dir, entries, passModeSettings());
    const Bytes listBefore = dir.read(kListFile);
    const std::vector<Entry> moved = pick(entries, {1, 0, 2});
    {
        Kavo kavo(dir.path());
        kavo.shownWindow();
        moveSecondRowUp(kavo);
        EXPECT_EQ(kavo.askToEndSession(ENDSESSION_LOGOFF | ENDSESSION_CRITICAL).get(), TRUE);
        EXPECT_EQ(kavo.waitForMessageBox(0), nullptr) << "a critical end asks nothing";
        kavo.endAbruptly();
    }
    EXPECT_EQ(dir.read(kListFile), listBefore);
    {
        Kavo kavo(dir.path());
        EXPECT_EQ(kavo.answerNext(IDNO).caption, L"保存されなかった変更");
        const MessageBoxText kept = kavo.answerNext(IDOK);
        kavo.shownWindow();
        EXPECT_EQ(ListDriver(kavo).readRows(), maskedRows(entries));
        std::vector<std::wstring> keptFiles;
        for (const std::wstring& name : dir.names()) {
            if (name.find(L".unsaved-") != std::wstring::npos) {
                keptFiles.push_back(name);
                EXPECT_NE(kept.text.find(name), std::wstring::npos) << "the message names it";
            }
        }
        ASSERT_EQ(keptFiles.size(), 2u);
        EXPECT_EQ(dir.read(keptFiles[0]), listFileFor(moved));

        // Ended again while the prompt is open: the same changes come back with Yes, still unsaved.
        moveSecondRowUp(kavo);
        std::future<LRESULT> answer = kavo.askToEndSession();
        ASSERT_NE(kavo.waitForMessageBox(), nullptr);
        kavo.endAbruptly();
        answer.wait();
    }
    Kavo kavo(dir.path());
    EXPECT_EQ(kavo.answerNext(IDYES).caption, L"保存されなかった変更");
    kavo.shownWindow();
    EXPECT_EQ(ListDriver(kavo).readRows(), maskedRows(moved));
    kavo.close();
    EXPECT_EQ(kavo.answerNext(IDYES).text, kExitPrompt);
    ASSERT_TRUE(kavo.waitForExit());
    EXPECT_EQ(dir.read(kListFile), listFileFor(moved));
    // The pair, the settings, the pair kept aside and the backup folder of the save.
    EXPECT_EQ(dir.names().size(), 6u) << "the recovery pair is gone once saved";
}

TEST(SecondStart, BringsTheFolderFirstKavoForwardAlsoFromTheTrayAndAnotherFolderRunsApart) {
    TempDirectory dir, otherDir;
    writeDataFiles(dir, numberedEntries(2), passModeSettings());
    writeDataFiles(otherDir, numberedEntries(1), passModeSettings());
    Kavo first(dir.path());
    HWND window = first.shownWindow();
    const Bytes settingsBefore = dir.read(kSettingsFile);
    const auto startAgain = [&] {
        Kavo second(dir.path());
        EXPECT_TRUE(second.waitForExit());
        EXPECT_EQ(second.exitCode(), 0u);
    };

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(eventually([&] { return IsIconic(window) != FALSE; }));
    startAgain();
    EXPECT_TRUE(eventually([&] { return !IsIconic(window) && GetForegroundWindow() == window; }));

    TrayIconWatch icon;
    first.command(IDC_CMD_TO_TRAY);
    ASSERT_TRUE(icon.appears());
    startAgain();
    EXPECT_TRUE(icon.disappears());
    EXPECT_TRUE(eventually([&] { return IsWindowVisible(window) != FALSE; }));

    Kavo other(otherDir.path());
    EXPECT_NE(other.shownWindow(), window);
    EXPECT_TRUE(first.isRunning());
    EXPECT_TRUE(other.endsWithoutAsking());
    // The second starts wrote nothing.
    EXPECT_EQ(dir.read(kSettingsFile), settingsBefore);
    EXPECT_TRUE(first.endsWithoutAsking());
}

TEST(WindowPlace, AMinimizedRunKeepsTheStoredRectangleAndOneOutOfReachComesBack) {
    TempDirectory dir;
    SettingsRecord settings = passModeSettings();
    settings.windowX = 137;
    settings.windowY = 211;
    settings.windowWidth = 421;
    settings.windowHeight = 515;
    writeDataFiles(dir, numberedEntries(1), settings);
    {
        Kavo minimized(dir.path(), SW_SHOWMINNOACTIVE);
        HWND window = minimized.window();
        ASSERT_TRUE(eventually([&] { return IsIconic(window) != FALSE; }));
        minimized.close();
        ASSERT_TRUE(minimized.waitForExit());
    }
    EXPECT_EQ(dir.read(kSettingsFile), settingsFileBytes(settings));

    // Stored so that only the caption strip would show at the bottom of the screen.
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    settings.windowY = workArea.bottom - 24;
    dir.write(kSettingsFile, settingsFileBytes(settings));
    Kavo kavo(dir.path());
    kavo.shownWindow();
    const RECT shown = kavo.rect();
    EXPECT_TRUE(shown.left == 137 && shown.top == workArea.bottom - 515 &&
                shown.bottom == workArea.bottom)
        << shown.left << "," << shown.top << "," << shown.bottom;
    EXPECT_TRUE(kavo.endsWithoutAsking());
}

TEST(OnePrompt, WhileTheExitPromptIsOpenTheTrayMenuAndEndOpenNoOtherAndItsAnswerCounts) {
    TempDirectory dir;
    const std::vector<Entry> entries = numberedEntries(2);
    writeDataFiles(dir, entries, passModeSettings());
    Kavo kavo(dir.path());
    kavo.shownWindow();
    moveSecondRowUp(kavo);
    TrayIconWatch icon;
    kavo.command(IDC_CMD_TO_TRAY);
    ASSERT_TRUE(icon.appears());

    kavo.command(IDC_CMD_TRAY_END);
    HWND prompt = kavo.waitForMessageBox();
    ASSERT_NE(prompt, nullptr);
    icon.click(MouseButton::Right);
    kavo.settle();
    EXPECT_FALSE(kavo.inMenuMode());
    kavo.command(IDC_CMD_TRAY_END);
    kavo.command(IDC_TB_END);
    EXPECT_EQ(kavo.askToEndSession().get(), FALSE);

    // Had anything opened a second prompt, KAVO would still wait for its answer.
    EXPECT_EQ(kavo.answer(prompt, IDYES).text, kExitPrompt);
    EXPECT_TRUE(kavo.waitForExit());
    EXPECT_EQ(dir.read(kListFile), listFileFor(pick(entries, {1, 0})));
    EXPECT_TRUE(icon.disappears());
}

} // namespace
} // namespace kavo::e2e
