// The About box is modeless, opens as often as asked and is gone for good once closed; the help
// commands say nothing when there is nothing to open, and a build without a web site says that
// instead of opening a page.
#include "app/help_targets.h"
#include "kavo_version.h"
#include "resources/resource.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

// Long enough for a message box that should not come.
constexpr DWORD kQuietMs = 1500;

// KAVO's About boxes, shown or hidden: a hidden one is a leftover.
std::vector<HWND> aboutBoxes(Kavo& kavo) {
    std::vector<HWND> boxes;
    for (HWND window = FindWindowW(L"#32770", L"このソフトについて"); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32770", L"このソフトについて")) {
        if (GetWindow(window, GW_OWNER) == kavo.window()) {
            boxes.push_back(window);
        }
    }
    return boxes;
}

void press(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

TEST(Help, AboutBoxesAreModelessAndGoForGoodAndAMissingManualGivesNoMessage) {
    TempDirectory dir;
    writeDataFiles(dir, numberedEntries(1), lockedSettings());
    Kavo kavo(dir.path());
    HWND window = kavo.shownWindow();

    kavo.command(IDC_CMD_VERSION);
    kavo.command(IDC_CMD_VERSION);
    const std::vector<HWND> boxes = aboutBoxes(kavo);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(IsWindowEnabled(window));
    wchar_t line[64] = {};
    GetDlgItemTextW(boxes[0], IDC_ABOUT_CREATOR_LINE, line, 64);
    EXPECT_NE(std::wstring(line).find(L"" KAVO_VERSION_TEXT), std::wstring::npos);

    // The download page, or in a build without a web site a word that there is none; the box
    // stays either way.
    press(boxes[0], IDC_ABOUT_NEW_VERSION);
    if (!hasWebSite()) {
        EXPECT_EQ(kavo.answer(kavo.waitForOwnedBy(boxes[0]), IDOK).caption, L"ホームページ");
    }
    kavo.settle();
    EXPECT_TRUE(IsWindowVisible(boxes[0]));
    press(boxes[0], IDC_ABOUT_OK);
    PostMessageW(boxes[1], WM_SYSCOMMAND, SC_CLOSE, 0);
    kavo.settle();
    EXPECT_TRUE(aboutBoxes(kavo).empty());

    kavo.command(IDC_CMD_HELP);
    EXPECT_EQ(kavo.waitForMessageBox(kQuietMs), nullptr);
    EXPECT_TRUE(kavo.endsWithoutAsking());
}

TEST(Help, ABuildWithoutAWebSiteSaysSoInsteadOfOpeningAPage) {
    if (hasWebSite()) {
        GTEST_SKIP() << "this build names a web site";
    }
    TempDirectory dir;
    writeDataFiles(dir, numberedEntries(1), lockedSettings());
    Kavo kavo(dir.path());
    kavo.shownWindow();

    kavo.command(IDC_CMD_VERSION);
    wchar_t line[64] = {};
    GetDlgItemTextW(aboutBoxes(kavo).at(0), IDC_ABOUT_HOME_PAGE_LINE, line, 64);
    EXPECT_EQ(std::wstring(line), L"ホームページなし");

    kavo.command(IDC_CMD_HOME_PAGE);
    const MessageBoxText box = kavo.answerNext(IDOK);
    EXPECT_EQ(box.caption, L"ホームページ");
    EXPECT_NE(box.text.find(L"ホームページがありません"), std::wstring::npos);
}

} // namespace
} // namespace kavo::e2e
