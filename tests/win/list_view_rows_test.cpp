#include "store/entry_table.h"
#include "store/list_view_win.h"
#include "tests/support/list_view_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavo {
namespace {

using Titles = std::vector<std::u16string>;

// Wide enough for every cell the tests put in.
constexpr int kReadCapacity = 256;

class ListViewRowsTest : public ::testing::Test {
  protected:
    Titles titles() const {
        Titles out;
        for (int row = 0; row < rows.rowCount(); ++row) {
            out.push_back(rows.cellText(row, kCellTitle, kReadCapacity));
        }
        return out;
    }

    testing::ListViewWindow window;
    ListViewRows rows{window.listView()};
};

TEST_F(ListViewRowsTest, CellsKeepTheirOwnTextAndReadBackCutToTheCapacity) {
    rows.insertRow(0, u"銀行", 7);
    rows.insertRow(50, u"末尾", 9); // past the end: appended
    rows.insertRow(1, u"中ほど", 8);
    EXPECT_EQ(titles(), (Titles{u"銀行", u"中ほど", u"末尾"}));
    EXPECT_EQ(rows.cellText(1, kCellId, kReadCapacity), u""); // a new row's other cells

    std::u16string id = u"ユーザー名";
    rows.setCellText(0, kCellId, id);
    id[0] = u'X'; // the control holds its own copy
    rows.setCellText(0, kCellType, u"W");
    EXPECT_EQ(rows.cellText(0, kCellId, kReadCapacity), u"ユーザー名");
    EXPECT_EQ(rows.cellText(0, kCellType, kReadCapacity), u"W");

    // capacity - 1 units and a terminator.
    EXPECT_EQ(rows.cellText(0, kCellId, 3), u"ユー");
    EXPECT_EQ(rows.cellText(0, kCellId, 1), u"");
    EXPECT_EQ(rows.cellText(0, kCellId, 0), u"");
    const std::u16string longTitle(255, u'長');
    rows.setCellText(2, kCellTitle, longTitle);
    EXPECT_EQ(rows.cellText(2, kCellTitle, 256), longTitle);
    EXPECT_EQ(rows.cellText(2, kCellTitle, 128), longTitle.substr(0, 127));

    // A missing row reads as empty text and takes no writes.
    EXPECT_EQ(rows.cellText(3, kCellTitle, kReadCapacity), u"");
    EXPECT_EQ(rows.cellText(-1, kCellTitle, kReadCapacity), u"");
    rows.setCellText(3, kCellTitle, u"nowhere");
    EXPECT_EQ(rows.rowCount(), 3);
}

TEST_F(ListViewRowsTest, DeletingRowsAndItemData) {
    for (int row = 0; row < 4; ++row) {
        const char16_t title[] = {u'r', static_cast<char16_t>(u'0' + row), u'\0'};
        rows.insertRow(row, title, 10 + row);
    }
    rows.deleteRow(1);
    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r3"}));
    EXPECT_EQ(rows.itemData(1), 12); // item data travels with its row

    // Setting item data leaves the text alone.
    rows.setItemData(0, -42);
    EXPECT_EQ(rows.itemData(0), -42);
    EXPECT_EQ(rows.cellText(0, kCellTitle, kReadCapacity), u"r0");
    EXPECT_EQ(rows.itemData(9), 0);

    rows.deleteRow(9);
    EXPECT_EQ(rows.rowCount(), 3);
    rows.deleteAllRows();
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.cellText(0, kCellTitle, kReadCapacity), u"");
}

TEST_F(ListViewRowsTest, MarksSelectionAndExclusiveFocus) {
    for (int row = 0; row < 5; ++row) {
        rows.insertRow(row, u"r", row);
    }
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

class NoMessagesHost : public TableHost {
  public:
    void showMessage(std::u16string_view text, std::u16string_view) override {
        messages.emplace_back(text);
    }
    void startRevealTimer() override { ++timerStarts; }

    std::vector<std::u16string> messages;
    int timerStarts = 0;
};

// The table's operations over the real control: rows and password slots stay paired.
class EntryTableOverListViewTest : public ListViewRowsTest {
  protected:
    // Each title gets the ID "id-<title>" and the password "pw-<title>".
    void addEntries(std::initializer_list<std::u16string_view> entryTitles) {
        for (std::u16string_view title : entryTitles) {
            const int row = rows.rowCount();
            table.buildRow(row, title, u"V", u"id-" + std::u16string(title));
            slots.set(row, u"pw-" + std::u16string(title));
        }
    }

    void select(std::initializer_list<int> picked) {
        for (int row : picked) {
            rows.setRowMarks(row, kMarkSelected, kMarkSelected);
        }
    }

    void expectPairedAndUnmarked() const {
        for (int row = 0; row < rows.rowCount(); ++row) {
            const std::u16string title = rows.cellText(row, kCellTitle, kReadCapacity);
            EXPECT_EQ(slots.at(row), u"pw-" + title) << "row " << row;
            EXPECT_EQ(rows.cellText(row, kCellId, kReadCapacity), u"id-" + title) << "row " << row;
            EXPECT_EQ(rows.cellText(row, kCellType, kReadCapacity), u"V") << "row " << row;
            EXPECT_EQ(rows.rowMarks(row, kAllMarks), 0u) << "row " << row;
        }
    }

    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    NoMessagesHost host;
    bool& dirty = contents.dirty;
    EntryTable table{rows, contents, host};
};

TEST_F(EntryTableOverListViewTest, DeleteAndMoveKeepEveryRowWithItsPassword) {
    addEntries({u"r0", u"r1", u"r2", u"r3", u"r4"});
    select({1, 3});
    table.deleteSelectedRows();
    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r4"}));
    expectPairedAndUnmarked();
    EXPECT_EQ(slots.at(3), u"");                                   // freed slots belong to no one
    EXPECT_EQ(rows.cellText(2, kCellPw, kReadCapacity), u"pw-r4"); // revealed after the change
    EXPECT_TRUE(dirty);

    addEntries({u"r5", u"r6"});
    select({1, 2}); // r2 r4 move up as a block
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(titles(), (Titles{u"r2", u"r4", u"r0", u"r5", u"r6"}));
    expectPairedAndUnmarked();
    EXPECT_EQ(rows.itemData(0), 0); // a moved row is built again at its new index

    select({0, 1, 3}); // down: the block r2 r4 keeps its order, r5 passes r6
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r4", u"r6", u"r5"}));
    expectPairedAndUnmarked();
    EXPECT_EQ(rows.cellText(4, kCellPw, kReadCapacity), u"pw-r5");
    EXPECT_EQ(host.timerStarts, 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EntryTableOverListViewTest, SortCarriesPasswordsMarksAndFocusWithTheirRows) {
    // Rows inserted at the top all carry item data 0, so rows cannot be told apart by it.
    for (std::u16string_view title : {u"delta", u"Bravo", u"echo", u"alpha", u"charlie"}) {
        table.buildRow(0, title, u"V", u"id-" + std::u16string(title));
        slots.insertAt(0);
        slots.set(0, u"pw-" + std::u16string(title));
    }
    rows.setRowMarks(rows.rowCount() - 1, kAllMarks, kAllMarks); // "delta", focused
    select({0});                                                 // "charlie"

    table.sortByColumn(kCellTitle); // the first click on Name: descending
    EXPECT_EQ(titles(), (Titles{u"echo", u"delta", u"charlie", u"Bravo", u"alpha"}));
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kMarkSelected);
    EXPECT_EQ(rows.selectedCount(), 2);
    for (int row : {0, 3, 4}) {
        EXPECT_EQ(rows.rowMarks(row, kAllMarks), 0u) << "row " << row;
    }
    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    expectPairedAndUnmarked();

    table.sortByColumn(kCellTitle);
    EXPECT_EQ(titles(), (Titles{u"alpha", u"Bravo", u"charlie", u"delta", u"echo"}));
    expectPairedAndUnmarked();

    // By the numbers the revealed passwords start with; masked, every row compares equal.
    slots.set(0, u"30x");
    slots.set(1, u"7");
    slots.set(2, u"200");
    table.sortByColumn(kCellPw);
    EXPECT_EQ(titles(), (Titles{u"alpha", u"Bravo", u"charlie", u"delta", u"echo"}));
    table.revealPasswords(false);
    table.sortByColumn(kCellPw); // second click: descending
    EXPECT_EQ(titles(), (Titles{u"charlie", u"alpha", u"Bravo", u"delta", u"echo"}));
    EXPECT_EQ(slots.at(0), u"200");
    EXPECT_EQ(rows.cellText(0, kCellPw, kReadCapacity), u"200");
    EXPECT_EQ(slots.at(2), u"7");
    EXPECT_FALSE(dirty);
}

} // namespace
} // namespace kavo
