#include "store/entry_table.h"
#include "store/list_view_win.h"
#include "tests/support/list_view_window.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavo {
namespace {

using Titles = std::vector<std::u16string>;

// Wide enough for every cell the tests put in.
constexpr int kReadCapacity = 256;

class NoMessagesHost : public TableHost {
  public:
    void showMessage(std::u16string_view text, std::u16string_view) override {
        messages.emplace_back(text);
    }
    void startRevealTimer() override { ++timerStarts; }

    std::vector<std::u16string> messages;
    int timerStarts = 0;
};

// The table shown through the real control: the virtual list asks the window for every cell,
// and the window answers from the table as the main window does.
class EntryTableOverListViewTest : public ::testing::Test {
  protected:
    EntryTableOverListViewTest() {
        window.onNotify = [this](NMHDR& header) -> LRESULT {
            switch (header.code) {
            case LVN_GETDISPINFOW:
                rows.answerCellRequest(table, reinterpret_cast<NMLVDISPINFOW&>(header));
                return 0;
            case LVN_ODFINDITEMW:
                return rows.findTitle(table, reinterpret_cast<NMLVFINDITEMW&>(header));
            default:
                return 0;
            }
        };
    }

    // A cell as the control hands it to whoever asks, through a buffer of that many units.
    std::u16string shown(int row, int cell, int capacity = kReadCapacity) const {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity), L'\0');
        LVITEMW item{};
        item.iSubItem = cell;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        SendMessageW(window.listView(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
    }
    int shownRowCount() const {
        return static_cast<int>(SendMessageW(window.listView(), LVM_GETITEMCOUNT, 0, 0));
    }
    Titles titles() const {
        Titles out;
        for (int row = 0; row < shownRowCount(); ++row) {
            out.push_back(shown(row, kCellTitle));
        }
        return out;
    }
    // Each title gets the ID "id-<title>" and the password "pw-<title>".
    void addEntries(std::initializer_list<std::u16string_view> entryTitles) {
        for (std::u16string_view title : entryTitles) {
            table.insertEntry(table.rowCount(),
                              testEntry(title, u"V", u"id-" + std::u16string(title),
                                        u"pw-" + std::u16string(title)));
        }
    }
    void select(std::initializer_list<int> picked) {
        for (int row : picked) {
            rows.setRowMarks(row, kMarkSelected, kMarkSelected);
        }
    }
    void expectPairedAndUnmarked() const {
        for (int row = 0; row < shownRowCount(); ++row) {
            const std::u16string title = shown(row, kCellTitle);
            EXPECT_EQ(slots.at(row), u"pw-" + title) << "row " << row;
            EXPECT_EQ(shown(row, kCellId), u"id-" + title) << "row " << row;
            EXPECT_EQ(shown(row, kCellType), u"V") << "row " << row;
            EXPECT_EQ(rows.rowMarks(row, kAllMarks), 0u) << "row " << row;
        }
    }
    // What the control asks when the user types in the list.
    int findTyped(const wchar_t* typed, int start) const {
        NMLVFINDITEMW request{};
        request.iStart = start;
        request.lvfi.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
        request.lvfi.psz = typed;
        return rows.findTitle(table, request);
    }

    testing::ListViewWindow window;
    ListViewRows rows{window.listView()};
    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    NoMessagesHost host;
    bool& dirty = contents.dirty;
    EntryTable table{rows, contents, host};
};

TEST_F(EntryTableOverListViewTest, TheListShowsTheTablesCellsCutToTheReadersRoomAndFindsTitles) {
    addEntries({u"Mail", u"bank", u"Bank B"});
    EXPECT_EQ(shownRowCount(), 3);
    EXPECT_EQ(shown(0, kCellTitle), u"Mail");
    EXPECT_EQ(shown(0, kCellId, 4), u"id-"); // three units and the terminator
    EXPECT_EQ(shown(1, kCellPw), u"*******");
    table.revealPasswords(false);
    EXPECT_EQ(shown(1, kCellPw), u"pw-bank");
    EXPECT_EQ(shown(7, kCellTitle), u""); // no such row

    // Typing in the list goes to the next title that starts so, ignoring case, around the end.
    EXPECT_EQ(findTyped(L"BAN", 0), 1);
    EXPECT_EQ(findTyped(L"ban", 2), 2);
    EXPECT_EQ(findTyped(L"ma", 2), 0);
    EXPECT_EQ(findTyped(L"x", 0), -1);
}

TEST_F(EntryTableOverListViewTest, MarksSelectionExclusiveFocusAndTheDropHighlight) {
    addEntries({u"a", u"b", u"c", u"d", u"e"});
    rows.setRowMarks(kEveryRow, kMarkSelected, kMarkSelected);
    EXPECT_EQ(rows.selectedCount(), 5);
    EXPECT_EQ(rows.selectedRow(), 0);
    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    EXPECT_EQ(rows.selectedCount(), 0);
    EXPECT_EQ(rows.selectedRow(), -1);

    rows.setRowMarks(3, kMarkSelected, kMarkSelected);
    rows.setRowMarks(1, kMarkSelected | kMarkDropHilited, kAllMarks);
    EXPECT_EQ(rows.selectedRow(), 1); // the lowest selected row
    EXPECT_EQ(rows.selectedCount(), 2);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kMarkSelected | kMarkDropHilited);
    EXPECT_EQ(rows.rowMarks(1, kMarkFocused | kMarkSelected), kMarkSelected); // within the mask
    // The control asks the list's owner for the highlight it keeps.
    EXPECT_EQ(SendMessageW(window.listView(), LVM_GETITEMSTATE, 1, LVIS_DROPHILITED),
              LVIS_DROPHILITED);

    // Focus moves: setting it on one row takes it from the other. Focus alone selects nothing.
    rows.setRowMarks(2, kMarkFocused, kMarkFocused);
    rows.setRowMarks(4, kMarkFocused, kMarkFocused);
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), 0u);
    EXPECT_EQ(rows.rowMarks(4, kAllMarks), kMarkFocused);
    EXPECT_EQ(rows.selectedCount(), 2);

    // Clearing one row's marks leaves the others.
    rows.setRowMarks(1, 0, kAllMarks);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), 0u);
    EXPECT_EQ(rows.selectedRow(), 3);
}

TEST_F(EntryTableOverListViewTest, DeleteAndMoveKeepEveryRowWithItsPassword) {
    addEntries({u"r0", u"r1", u"r2", u"r3", u"r4"});
    select({1, 3});
    table.deleteSelectedRows();
    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r4"}));
    expectPairedAndUnmarked();
    EXPECT_EQ(slots.at(3), u"");            // freed slots belong to no one
    EXPECT_EQ(shown(2, kCellPw), u"pw-r4"); // revealed after the change
    EXPECT_TRUE(dirty);

    addEntries({u"r5", u"r6"});
    select({1, 2}); // r2 r4 move up as a block
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(titles(), (Titles{u"r2", u"r4", u"r0", u"r5", u"r6"}));
    expectPairedAndUnmarked();

    select({0, 1, 3}); // down: the block r2 r4 keeps its order, r5 passes r6
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r4", u"r6", u"r5"}));
    expectPairedAndUnmarked();
    EXPECT_EQ(shown(4, kCellPw), u"pw-r5");
    EXPECT_EQ(host.timerStarts, 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EntryTableOverListViewTest, SortAndInsertCarryPasswordsMarksAndFocusWithTheirRows) {
    for (std::u16string_view title : {u"delta", u"Bravo", u"echo", u"alpha", u"charlie"}) {
        table.insertEntry(0, testEntry(title, u"V", u"id-" + std::u16string(title),
                                       u"pw-" + std::u16string(title)));
    }
    rows.setRowMarks(table.rowCount() - 1, kAllMarks, kAllMarks); // "delta", focused
    select({0});                                                  // "charlie"

    table.sortByColumn(kCellTitle); // the first click on Name: descending
    EXPECT_EQ(titles(), (Titles{u"echo", u"delta", u"charlie", u"Bravo", u"alpha"}));
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kMarkSelected);
    EXPECT_EQ(rows.selectedCount(), 2);
    for (int row : {0, 3, 4}) {
        EXPECT_EQ(rows.rowMarks(row, kAllMarks), 0u) << "row " << row;
    }
    // An entry inserted above moves the marks down with their rows.
    table.insertEntry(1, testEntry(u"new", u"V", u"id-new", u"pw-new"));
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(3, kAllMarks), kMarkSelected);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), 0u);
    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    expectPairedAndUnmarked();

    table.sortByColumn(kCellTitle);
    EXPECT_EQ(titles(), (Titles{u"alpha", u"Bravo", u"charlie", u"delta", u"echo", u"new"}));
    expectPairedAndUnmarked();
    EXPECT_FALSE(dirty);
}

} // namespace
} // namespace kavo
