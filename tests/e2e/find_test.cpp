// Finding an entry among a thousand through the real find box: Ctrl+F from the list, typing a
// piece of a title or (in full-width letters) of an ID, F3 and Shift+F3 around the end, Escape;
// all with the lock on, and the ID of the entry found goes out at once.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/input_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kFindBox[] = L"検索";

// Waits until exactly this row is selected, as a find leaves it.
std::vector<int> selectionBecomes(ListDriver& list, int row) {
    std::vector<int> selected = list.selectedRows();
    for (DWORD waited = 0; selected != std::vector<int>{row} && waited < 5000; waited += 50) {
        Sleep(50);
        selected = list.selectedRows();
    }
    return selected;
}

std::wstring statusBecomes(const DialogDriver& box, const std::wstring& status) {
    for (DWORD waited = 0; box.text(IDC_FIND_STATUS) != status && waited < 5000; waited += 50) {
        Sleep(50);
    }
    return box.text(IDC_FIND_STATUS);
}

TEST(Find, TypingSelectsTheFirstMatchAndF3GoesAroundWhileLocked) {
    std::vector<Entry> entries = numberedEntries(1000);
    entries[15].title = u"tokyo gas";
    entries[640] = {u"Tokyo Bank", u"B", u"tanaka.K77", u"Bank-640"};
    entries[902].id = u"TOKYO-902";
    TempDirectory dir;
    writeDataFiles(dir, entries, lockedSettings());
    Kavo kavo(dir.path());
    kavo.shownWindow();
    ListDriver list(kavo);

    // Ctrl+F from the list opens the box.
    const POINT first = list.rowPoint(0);
    clickAt(first.x, first.y, MouseButton::Left);
    ASSERT_EQ(selectionBecomes(list, 0), std::vector<int>{0});
    pressKey('F', VK_CONTROL);
    DialogDriver box(kavo, kFindBox);
    ASSERT_TRUE(box.isOpen());

    box.type(IDC_FIND_TEXT, L"TOKY");
    EXPECT_EQ(selectionBecomes(list, 15), std::vector<int>{15});
    box.pressKey(VK_F3);
    EXPECT_EQ(selectionBecomes(list, 640), std::vector<int>{640});
    EXPECT_TRUE(list.rowInView(640));
    box.pressKey(VK_RETURN);
    EXPECT_EQ(selectionBecomes(list, 902), std::vector<int>{902}); // by its ID
    box.pressKey(VK_F3);
    EXPECT_EQ(selectionBecomes(list, 15), std::vector<int>{15});
    EXPECT_EQ(statusBecomes(box, L"先頭から検索しました"), L"先頭から検索しました");
    box.pressKey(VK_F3, VK_SHIFT);
    EXPECT_EQ(selectionBecomes(list, 902), std::vector<int>{902});
    EXPECT_TRUE(list.rowInView(902));

    // Full-width letters and digits find the half-width ID; nothing found leaves the row.
    box.type(IDC_FIND_TEXT, L"ＴＡＮＡＫＡ．ｋ７");
    EXPECT_EQ(selectionBecomes(list, 640), std::vector<int>{640});
    box.type(IDC_FIND_TEXT, L"zzz");
    EXPECT_EQ(statusBecomes(box, L"見つかりません"), L"見つかりません");
    EXPECT_EQ(list.selectedRows(), std::vector<int>{640});

    box.pressKey(VK_ESCAPE);
    EXPECT_TRUE(box.waitUntilClosed());
    EXPECT_EQ(kavo.title(), L"KAVO  (LocK)");
    // The row found is the one ID hands out.
    kavo.command(IDC_TB_ID);
    EXPECT_EQ(clipboardText(), u"tanaka.K77");

    // A letter typed in the list is the list's own: it jumps to a title that starts with it.
    const POINT found = list.rowPoint(list.selectedRows().front());
    clickAt(found.x, found.y, MouseButton::Left);
    typeText(L"t");
    EXPECT_EQ(selectionBecomes(list, 15), std::vector<int>{15});
}

} // namespace
} // namespace kavo::e2e
