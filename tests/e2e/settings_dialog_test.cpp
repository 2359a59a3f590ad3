// The settings dialog driven as a user drives it, while locked: the placement presets at start
// and after every closing, "常に最上位" at ＯＫ, "初" kept whichever button closes, the duration
// fields, and what pw_set3.dat holds at exit.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kSettingsDialog[] = L"画面&動作設定";

void expectWindowAt(Kavo& kavo, int x, int y, int width, int height) {
    const RECT r = kavo.rect();
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

bool titleBecomes(Kavo& kavo, const std::wstring& title) {
    for (DWORD waited = 0; kavo.title() != title && waited < 5000; waited += 20) {
        Sleep(20);
    }
    return kavo.title() == title;
}

// Opens the dialog (menu or toolbar), presses the buttons in order, ＯＫ or Cancel last.
void chooseInDialog(Kavo& kavo, int command, std::initializer_list<int> buttons) {
    kavo.command(command);
    DialogDriver dialog(kavo, kSettingsDialog);
    for (const int button : buttons) {
        dialog.press(button);
    }
    EXPECT_FALSE(dialog.isOpen());
}

TEST(SettingsDialog, PlacementPresetsMoveTheWindowAtStartAndAfterEveryClosing) {
    TempDirectory dir;
    SettingsRecord settings = lockedSettings();
    settings.placement = Placement::TopRight;
    writeDataFiles(dir, numberedEntries(2), settings);
    Kavo kavo(dir.path());
    const HWND window = kavo.shownWindow();
    const auto topMost = [&] { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    expectWindowAt(kavo, 980, 0, 300, 350); // "右上", stored by an earlier run

    // On the 1280 x 1024 screen, each preset at ＯＫ.
    for (const auto [radio, x, y] : {std::array{IDC_PLACE_TOP_LEFT, 0, 0},
                                     {IDC_PLACE_BOTTOM_LEFT, 0, 674},
                                     {IDC_PLACE_BOTTOM_RIGHT, 980, 674},
                                     {IDC_PLACE_CENTRE, 490, 337}}) {
        chooseInDialog(kavo, IDC_CMD_SETTINGS, {radio, IDC_SETTINGS_OK});
        expectWindowAt(kavo, x, y, 300, 350);
    }

    // Moved by hand, the window returns to its preset when the dialog closes in any way.
    SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    kavo.command(IDC_TB_SETTINGS);
    DialogDriver(kavo, kSettingsDialog).close();
    expectWindowAt(kavo, 490, 337, 300, 350);

    // "常に最上位" makes the window top-most at ＯＫ; a preset other than "保持" then takes that
    // away again as the window moves.
    SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    chooseInDialog(kavo, IDC_TB_SETTINGS, {IDC_PLACE_KEEP, IDC_STACK_ALWAYS_TOP, IDC_SETTINGS_OK});
    EXPECT_TRUE(topMost());
    expectWindowAt(kavo, 100, 120, 300, 350);
    chooseInDialog(kavo, IDC_CMD_SETTINGS, {IDC_PLACE_CENTRE, IDC_SETTINGS_OK});
    EXPECT_FALSE(topMost());
    expectWindowAt(kavo, 490, 337, 300, 350);

    ASSERT_TRUE(kavo.endsWithoutAsking());
    settings.placement = Placement::Centre;
    settings.stacking = Stacking::AlwaysOnTop;
    settings.windowX = 490;
    settings.windowY = 337;
    EXPECT_EQ(dir.read(L"pw_set3.dat"), settingsFileBytes(settings));
}

TEST(SettingsDialog, ResetStaysWhicheverButtonClosesAndDurationsReadTheirFirstFiveUnits) {
    TempDirectory dir;
    SettingsRecord settings = passModeSettings();
    settings.windowX = 50;
    settings.windowY = 60;
    settings.windowWidth = 400;
    settings.windowHeight = 320;
    settings.stacking = Stacking::AlwaysOnTop;
    settings.clearSelectionAtEnd = 1;
    settings.copyMethod = CopyMethod::ListClick;
    settings.pwTimerForButton = 1;
    settings.idTimeMs = 2000;
    settings.pwTimeMs = 3000;
    settings.pwShowMs = 7000;
    writeDataFiles(dir, numberedEntries(2), settings);
    Kavo kavo(dir.path());
    kavo.shownWindow();
    EXPECT_TRUE(titleBecomes(kavo, L"KAVO  (PASS)"));

    kavo.command(IDC_CMD_SETTINGS);
    {
        DialogDriver dialog(kavo, kSettingsDialog);
        for (const int shown : {IDC_PLACE_KEEP, IDC_STACK_ALWAYS_TOP, IDC_CLEAR_AT_END_CHECK,
                                IDC_COPY_LIST_CLICK, IDC_PW_TIMER_CHECK}) {
            EXPECT_TRUE(dialog.isChecked(shown)) << shown;
        }
        // "初" discards what was typed and shows the reset record; durations stay as stored.
        dialog.type(IDC_ID_TIME_EDIT, L"123");
        dialog.press(IDC_SETTINGS_RESET);
        for (const int shown : {IDC_PLACE_KEEP, IDC_STACK_BOTTOM_AT_PW, IDC_COPY_TOOLBAR_ONLY}) {
            EXPECT_TRUE(dialog.isChecked(shown)) << shown;
        }
        EXPECT_FALSE(dialog.isChecked(IDC_CLEAR_AT_END_CHECK) ||
                     dialog.isChecked(IDC_PW_TIMER_CHECK));
        EXPECT_EQ(dialog.text(IDC_ID_TIME_EDIT), L"2000");
        dialog.pressKey(VK_ESCAPE); // does nothing
        dialog.type(IDC_PW_SHOW_EDIT, L"9");
        EXPECT_TRUE(dialog.isOpen());
        dialog.press(IDC_SETTINGS_CANCEL);
    }
    // The reset switched pass mode off; "保持" leaves the window where it is.
    EXPECT_TRUE(titleBecomes(kavo, L"KAVO  (LocK)"));
    expectWindowAt(kavo, 50, 60, 400, 320);

    kavo.command(IDC_CMD_SETTINGS);
    {
        DialogDriver dialog(kavo, kSettingsDialog);
        EXPECT_EQ(dialog.text(IDC_PW_SHOW_EDIT), L"7000");
        dialog.type(IDC_ID_TIME_EDIT, L"100000");
        dialog.type(IDC_PW_TIME_EDIT, L"-5");
        dialog.type(IDC_PW_SHOW_EDIT, L"  500ms");
        dialog.pressKey(VK_RETURN); // ＯＫ
        EXPECT_TRUE(dialog.waitUntilClosed());
    }
    kavo.settle();
    // ＯＫ with "IDで最上位、PWで最下位" sizes the window to the reset record's 300 x 350.
    expectWindowAt(kavo, 50, 60, 300, 350);

    ASSERT_TRUE(kavo.endsWithoutAsking());
    SettingsRecord expected = settings;
    resetSettings(expected);
    expected.windowX = 50;
    expected.windowY = 60;
    expected.idTimeMs = 10000;
    expected.pwTimeMs = 4000;
    expected.pwShowMs = 500;
    EXPECT_EQ(dir.read(L"pw_set3.dat"), settingsFileBytes(expected));
}

} // namespace
} // namespace kavo::e2e
