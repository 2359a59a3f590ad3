// KAVO hidden in the notification area: its icon follows the clipboard sequence, answers the
// real mouse, comes back after the shell restarts and goes with the program.
#include "resources/resource.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/menu_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/e2e/tray_driver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr std::size_t kTrayMenuItems = 2; // "タスクトレーから出す", "終了"
constexpr std::size_t kRestoreItem = 0;
constexpr std::size_t kEndItem = 1;
// Long enough to see each phase's icon.
constexpr int kPhaseMs = 2500;

void chooseFromTrayMenu(Kavo& kavo, TrayIconWatch& icon, std::size_t item) {
    icon.click(MouseButton::Right);
    MenuPopup menu(kavo);
    // The menu's bottom-left corner is at the pointer.
    const RECT popup = menu.rect();
    EXPECT_EQ(popup.left, icon.middle().x);
    EXPECT_EQ(popup.bottom, icon.middle().y);
    icon.moveBelow(popup);
    SetCursorPos(popup.right + 50, popup.top); // no item highlighted while they are read
    EXPECT_EQ(menu.enabledItems(kTrayMenuItems), std::vector<bool>(kTrayMenuItems, true));
    menu.clickItem(item, kTrayMenuItems);
}

TEST(Tray, IconFollowsTheSequenceAnswersTheMouseSurvivesAShellRestartAndEndsWithKavo) {
    TempDirectory dir;
    SettingsRecord settings = passModeSettings();
    settings.idTimeMs = kPhaseMs;
    settings.pwTimeMs = kPhaseMs;
    writeDataFiles(
        dir,
        std::vector<Entry>{{u"timed", u"T", u"t-id", u"t-pw"}, {u"button", u"B", u"b-id", u"b-pw"}},
        settings);
    Kavo kavo(dir.path());
    HWND window = kavo.shownWindow();
    ListDriver list(kavo);

    // Hidden during the ID phase of a timed entry: the icon follows it to the end.
    list.selectRows({0});
    kavo.command(IDC_TB_ID);
    TrayIconWatch icon;
    kavo.command(IDC_CMD_TO_TRAY);
    ASSERT_TRUE(icon.appears());
    EXPECT_TRUE(icon.shows(TrayPicture::IdPhase));
    EXPECT_TRUE(icon.shows(TrayPicture::PwPhase));
    EXPECT_TRUE(icon.shows(TrayPicture::Idle));
    EXPECT_EQ(clipboardText(), u"pw-End");
    EXPECT_FALSE(IsWindowVisible(window));

    // A single click does nothing, also once a second click can no longer follow.
    icon.click(MouseButton::Left);
    pumpMessages(2 * GetDoubleClickTime());
    kavo.settle();
    EXPECT_FALSE(IsWindowVisible(window));
    icon.doubleClick();
    EXPECT_TRUE(icon.disappears());
    EXPECT_TRUE(IsWindowVisible(kavo.shownWindow()));

    // A button entry's ID phase lasts; an unsaved change makes 終了 ask.
    list.selectRows({1});
    kavo.command(IDC_CMD_MOVE_UP);
    list.selectRows({0});
    kavo.command(IDC_TB_ID);
    TrayIconWatch again;
    kavo.command(IDC_TB_TRAY);
    ASSERT_TRUE(again.appears());
    // The shell restarts and has forgotten its icons: KAVO adds its own again, as it was.
    TrayIconWatch afterRestart;
    NOTIFYICONDATAW forgotten{};
    forgotten.cbSize = sizeof(forgotten);
    forgotten.hWnd = window;
    forgotten.uID = IDC_TRAY_ICON;
    Shell_NotifyIconW(NIM_DELETE, &forgotten);
    EXPECT_TRUE(again.disappears());
    PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_TRUE(afterRestart.appears());
    EXPECT_TRUE(afterRestart.shows(TrayPicture::IdPhase));

    chooseFromTrayMenu(kavo, afterRestart, kEndItem);
    EXPECT_EQ(kavo.answerNext(IDCANCEL).text, L"データー保存後に終了しますか？。");
    kavo.settle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(afterRestart.present());
    chooseFromTrayMenu(kavo, afterRestart, kRestoreItem);
    EXPECT_TRUE(afterRestart.disappears());
    EXPECT_TRUE(IsWindowVisible(kavo.shownWindow()));

    TrayIconWatch last;
    kavo.command(IDC_CMD_TO_TRAY);
    ASSERT_TRUE(last.appears());
    chooseFromTrayMenu(kavo, last, kEndItem);
    kavo.answerNext(IDNO);
    EXPECT_TRUE(kavo.waitForExit());
    EXPECT_TRUE(last.disappears());
}

} // namespace
} // namespace kavo::e2e
