#include "store/decimal_text.h"
#include "store/entry_table.h"
#include "tests/support/memory_row_view.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavo {
namespace {

class RecordingHost : public TableHost {
  public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        messages.emplace_back(text);
        captions.emplace_back(caption);
    }
    void startRevealTimer() override { ++timerStarts; }
    void passwordsShown(bool shown) override { shownStates.push_back(shown); }

    std::vector<bool> shownStates;
    std::vector<std::u16string> messages;
    std::vector<std::u16string> captions;
    int timerStarts = 0;
};

class EntryTableTest : public ::testing::Test {
  protected:
    // One row per title, each with its own password "pw-<title>" and ID "id-<title>".
    void addEntries(std::initializer_list<std::u16string_view> titles) {
        for (std::u16string_view title : titles) {
            const int row = rows.rowCount();
            table.insertEntry(row, testEntry(title, u"B", u"id-" + std::u16string(title)));
            slots.set(row, u"pw-" + std::u16string(title));
        }
    }

    std::vector<std::u16string> titles() const {
        std::vector<std::u16string> out;
        for (int row = 0; row < rows.rowCount(); ++row) {
            out.push_back(std::u16string(table.cellText(row, kCellTitle)));
        }
        return out;
    }

    // Every row still sits beside its own password and ID.
    void expectPaired() const {
        for (int row = 0; row < rows.rowCount(); ++row) {
            const std::u16string title = std::u16string(table.cellText(row, kCellTitle));
            EXPECT_EQ(slots.at(row), u"pw-" + title) << "row " << row;
            EXPECT_EQ(std::u16string(table.cellText(row, kCellId)), u"id-" + title)
                << "row " << row;
            const std::u16string pw = std::u16string(table.cellText(row, kCellPw));
            EXPECT_TRUE(pw == kMaskText || pw == slots.at(row)) << "row " << row;
        }
    }

    void expectNoMarks() const {
        for (int row = 0; row < rows.rowCount(); ++row) {
            EXPECT_EQ(rows.rowMarks(row, kAllMarks), 0u) << "row " << row;
        }
    }

    MemoryRowView rows;
    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    RecordingHost host;
    bool& dirty = contents.dirty;
    EntryTable table{rows, contents, host};
};

using Titles = std::vector<std::u16string>;

std::u16string formatTitle(int n) {
    return u"t" + formatInt(n);
}

TEST_F(EntryTableTest, BuiltRowIsMaskedAndCarriesItsIndex) {
    addEntries({u"a", u"b"});
    table.insertEntry(1, testEntry(u"mid", u"W", u"me"));
    table.insertEntry(
        50, testEntry(u"end", u"T", u"you")); // past the end: appended, cells on the real row
    EXPECT_EQ(titles(), (Titles{u"a", u"mid", u"b", u"end"}));
    EXPECT_EQ(std::u16string(table.cellText(3, kCellType)), u"T");
    EXPECT_EQ(std::u16string(table.cellText(3, kCellId)), u"you");
    EXPECT_EQ(std::u16string(table.cellText(3, kCellPw)), kMaskText);
}

TEST_F(EntryTableTest, FullTableTakesNoMoreRows) {
    for (int row = 0; row < kMaxRows - 1; ++row) {
        table.insertEntry(row, testEntry(u"t", u"B", u"i"));
    }
    EXPECT_FALSE(table.isFull());
    table.insertEntry(0, testEntry(u"last", u"B", u"i"));
    EXPECT_TRUE(table.isFull());
    table.insertEntry(0, testEntry(u"overflow", u"B", u"i"));
    EXPECT_EQ(rows.rowCount(), kMaxRows);
    EXPECT_EQ(std::u16string(table.cellText(0, kCellTitle)), u"last");
}

TEST_F(EntryTableTest, CollectSelectedRowsIsAscendingAndClearsEveryMark) {
    addEntries({u"a", u"b", u"c", u"d"});
    rows.select({3, 1});
    rows.setRowMarks(1, kAllMarks, kAllMarks);
    EXPECT_EQ(table.collectSelectedRows(), (std::vector<int>{1, 3}));
    expectNoMarks();
    EXPECT_TRUE(table.collectSelectedRows().empty());
}

TEST_F(EntryTableTest, DeleteKeepsTheRemainingRowsWithTheirPasswords) {
    addEntries({u"r0", u"r1", u"r2", u"r3", u"r4"});
    slots.set(10, u"orphan"); // a slot no row owns is left alone
    rows.select({1, 3});
    table.deleteSelectedRows();

    EXPECT_EQ(titles(), (Titles{u"r0", u"r2", u"r4"}));
    expectPaired();
    expectNoMarks();
    // The freed slots at the end are emptied, so they cannot be saved as someone's password.
    EXPECT_EQ(slots.at(3), u"");
    EXPECT_EQ(slots.at(4), u"");
    EXPECT_EQ(slots.at(10), u"orphan");
    EXPECT_TRUE(dirty);
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(std::u16string(table.cellText(1, kCellPw)), u"pw-r2"); // revealed
}

TEST_F(EntryTableTest, DeleteOrMoveWithoutSelectionOnlyTellsTheUser) {
    addEntries({u"a", u"b"});
    rows.setRowMarks(1, kMarkFocused, kMarkFocused); // focus alone is no selection
    table.deleteSelectedRows();
    table.moveSelectedRows(MoveDirection::Up);
    table.moveSelectedRows(MoveDirection::Down);

    ASSERT_EQ(host.messages.size(), 3u);
    for (std::size_t i = 0; i < host.messages.size(); ++i) {
        EXPECT_EQ(host.messages[i], u"項目を選んで下さい。");
        EXPECT_EQ(host.captions[i], u"項目移動");
    }
    EXPECT_EQ(titles(), (Titles{u"a", u"b"}));
    EXPECT_FALSE(dirty);
    EXPECT_EQ(host.timerStarts, 0);
    EXPECT_EQ(std::u16string(table.cellText(0, kCellPw)), kMaskText);
}

TEST_F(EntryTableTest, BlockMovesUpAndDownKeepingItsOrder) {
    addEntries({u"X0", u"X1", u"A", u"B", u"X4"});
    rows.select({2, 3});
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(titles(), (Titles{u"X0", u"A", u"B", u"X1", u"X4"}));
    expectPaired();
    expectNoMarks();

    rows.select({1, 2});
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"X0", u"X1", u"A", u"B", u"X4"}));
    rows.select({2, 3});
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"X0", u"X1", u"X4", u"A", u"B"}));
    expectPaired();
    EXPECT_EQ(host.timerStarts, 3);
}

TEST_F(EntryTableTest, ScatteredRowsEachMoveOneStep) {
    addEntries({u"a", u"b", u"c", u"d", u"e"});
    rows.select({1, 3});
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(titles(), (Titles{u"b", u"a", u"d", u"c", u"e"}));
    rows.select({0, 2});
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c", u"d", u"e"}));
    expectPaired();
}

TEST_F(EntryTableTest, RowsAtTheEdgeStayButTheMoveStillCounts) {
    addEntries({u"a", u"b", u"c", u"d"});
    rows.select({0});
    table.moveSelectedRows(MoveDirection::Up);
    rows.select({3});
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c", u"d"}));
    expectNoMarks();
    EXPECT_TRUE(dirty);
    EXPECT_EQ(host.timerStarts, 2);
    EXPECT_EQ(std::u16string(table.cellText(3, kCellPw)), u"pw-d");

    // A block against the edge stays whole instead of its rows passing each other.
    rows.select({0, 1, 3});
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"d", u"c"}));
    rows.select({1, 2, 3});
    table.moveSelectedRows(MoveDirection::Down);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"d", u"c"}));
    expectPaired();
}

TEST_F(EntryTableTest, MovedRowKeepsItsCellsWholeAsTheFileKeepsThem) {
    const std::u16string longTitle(255, u'T');
    table.insertEntry(0, testEntry(u"first", u"V", u"id-first"));
    table.insertEntry(1, testEntry(longTitle, u"W", u"id-" + longTitle.substr(0, 124)));
    slots.set(0, u"pw-first");
    slots.set(1, u"pw-long");
    rows.select({1});
    table.moveSelectedRows(MoveDirection::Up);
    EXPECT_EQ(std::u16string(table.cellText(0, kCellTitle)), longTitle.substr(0, 127));
    EXPECT_EQ(std::u16string(table.cellText(0, kCellType)), u"W");
    EXPECT_EQ(std::u16string(table.cellText(0, kCellId)), u"id-" + longTitle.substr(0, 124));
    EXPECT_EQ(slots.at(0), u"pw-long");
    EXPECT_EQ(std::u16string(table.cellText(1, kCellType)), u"V");
    EXPECT_EQ(slots.at(1), u"pw-first");
}

TEST_F(EntryTableTest, FirstClickSortsNameDescendingAndOtherColumnsAscending) {
    EXPECT_EQ(table.sortDirection(kCellTitle), 1);
    EXPECT_EQ(table.sortDirection(kCellPw), 0);
    addEntries({u"b", u"a", u"c"});
    table.sortByColumn(kCellTitle);
    EXPECT_EQ(table.sortDirection(kCellTitle), 2);
    EXPECT_EQ(titles(), (Titles{u"c", u"b", u"a"}));
    table.sortByColumn(kCellTitle);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c"}));
    table.sortByColumn(kCellId); // ids follow the titles: ascending first
    EXPECT_EQ(table.sortDirection(kCellId), 1);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c"}));
    table.sortByColumn(kCellId);
    EXPECT_EQ(titles(), (Titles{u"c", u"b", u"a"}));
    expectPaired();
    table.sortByColumn(7); // not a column: nothing happens
    EXPECT_EQ(titles(), (Titles{u"c", u"b", u"a"}));
}

TEST_F(EntryTableTest, SortIgnoresAsciiCaseOnlyAndComparesUnitsUnsigned) {
    // '_' lies between the upper and lower case letters: folding to lower case puts it first.
    addEntries({u"beta", u"Alpha", u"_under", u"\u00E9t\u00E9", u"ALPHA2", u"alpha"});
    table.sortByColumn(kCellTitle);
    table.sortByColumn(kCellTitle);
    EXPECT_EQ(titles(),
              (Titles{u"_under", u"Alpha", u"alpha", u"ALPHA2", u"beta", u"\u00E9t\u00E9"}));
    expectPaired();
}

TEST_F(EntryTableTest, InsertAtTheTopShiftsThePasswordsAndTheSortFollowsTheRows) {
    for (std::u16string_view title : {u"d", u"b", u"e", u"a", u"c"}) {
        table.insertEntry(0, testEntry(title, u"B", u"id-" + std::u16string(title),
                                       u"pw-" + std::u16string(title)));
    }
    EXPECT_EQ(titles(), (Titles{u"c", u"a", u"e", u"b", u"d"}));
    expectPaired();
    table.sortByColumn(kCellTitle);
    table.sortByColumn(kCellTitle);
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c", u"d", u"e"}));
    expectPaired();
    EXPECT_FALSE(dirty);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EntryTableTest, SortCarriesTypeAndMarksWithTheRow) {
    table.insertEntry(0, testEntry(u"z", u"W", u"id-z"));
    table.insertEntry(1, testEntry(u"y", u"T", u"id-y"));
    table.insertEntry(2, testEntry(u"x", u"V", u"id-x"));
    rows.setRowMarks(0, kAllMarks, kAllMarks);
    rows.select({1});
    table.sortByColumn(kCellType); // T, V, W
    EXPECT_EQ(titles(), (Titles{u"y", u"x", u"z"}));
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(0, kAllMarks), kMarkSelected);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), 0u);
}

TEST_F(EntryTableTest, PwSortUsesLeadingNumbersOnlyWhileRevealed) {
    addEntries({u"a", u"b", u"c", u"d"});
    slots.set(0, u"30x");
    slots.set(1, u"-4");
    slots.set(2, u"200");
    slots.set(3, u"abc");        // no leading digits: 0
    table.sortByColumn(kCellPw); // masked: every pair is equal, the order stays
    EXPECT_EQ(titles(), (Titles{u"a", u"b", u"c", u"d"}));

    table.revealPasswords(false);
    table.sortByColumn(kCellPw); // second click: descending
    EXPECT_EQ(titles(), (Titles{u"c", u"a", u"d", u"b"}));
    table.sortByColumn(kCellPw);
    EXPECT_EQ(titles(), (Titles{u"b", u"d", u"a", u"c"}));
    EXPECT_EQ(slots.at(0), u"-4");
    EXPECT_EQ(std::u16string(table.cellText(3, kCellPw)), u"200");
}

TEST_F(EntryTableTest, SortOfAFullTableKeepsEveryPair) {
    for (int row = 0; row < kMaxRows; ++row) {
        // Many duplicates, in an order unrelated to the index.
        const std::u16string title = formatTitle((row * 7919) % 97);
        table.insertEntry(row, testEntry(title, u"B", u"id-" + title));
        slots.set(row, u"pw-" + title);
    }
    table.sortByColumn(kCellTitle);
    expectPaired();
    for (int row = 1; row < kMaxRows; ++row) {
        ASSERT_GE(table.cellText(row - 1, kCellTitle), table.cellText(row, kCellTitle))
            << "row " << row; // descending at the first click
    }
    EXPECT_EQ(std::u16string(table.cellText(0, kCellTitle)), u"t96");
}

TEST_F(EntryTableTest, ToggleJudgesByRowZero) {
    addEntries({u"a", u"b"});
    table.toggleReveal();
    EXPECT_EQ(std::u16string(table.cellText(0, kCellPw)), u"pw-a");
    EXPECT_EQ(std::u16string(table.cellText(1, kCellPw)), u"pw-b");
    table.toggleReveal();
    EXPECT_EQ(std::u16string(table.cellText(1, kCellPw)), kMaskText);
    EXPECT_EQ(host.timerStarts, 0);
    // The window is kept out of screen captures exactly while passwords show.
    EXPECT_EQ(host.shownStates, (std::vector<bool>{true, false}));

    // A password starting with the mask text looks masked, so the toggle keeps revealing.
    slots.set(0, u"*******9");
    table.toggleReveal();
    table.toggleReveal();
    EXPECT_EQ(std::u16string(table.cellText(0, kCellPw)), u"*******9");
    EXPECT_EQ(std::u16string(table.cellText(1, kCellPw)), u"pw-b");
}

TEST_F(EntryTableTest, EmptyTableStillStartsTheRevealTimer) {
    table.toggleReveal();
    table.revealPasswords(true);
    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(rows.rowCount(), 0);
}

TEST_F(EntryTableTest, HighlightMarksPickedRowsAndClearsTheRest) {
    addEntries({u"a", u"b", u"c", u"d"});
    rows.select({1, 2});
    rows.setRowMarks(0, kMarkFocused, kMarkFocused);
    rows.setRowMarks(3, kMarkDropHilited, kMarkDropHilited);
    table.highlightSelection();
    // Focus is exclusive, so it ends on the last picked row.
    EXPECT_EQ(rows.rowMarks(0, kAllMarks), kMarkSelected | kMarkDropHilited);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kMarkSelected | kMarkDropHilited);
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(3, kAllMarks), 0u);

    // A row left focused but unselected below a picked row loses its focus to it first, so a
    // row the user just deselected does not light up again.
    table.clearRowMarks(kEveryRow);
    rows.select({1});
    rows.setRowMarks(3, kMarkFocused, kMarkFocused);
    table.highlightSelection();
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kAllMarks);
    EXPECT_EQ(rows.rowMarks(3, kAllMarks), 0u);

    table.clearRowMarks(1);
    expectNoMarks();
}

TEST(PasswordSlots, SetKeepsACStringOfAtMost127Units) {
    PasswordSlots slots;
    slots.set(0, std::u16string(200, u'x'));
    EXPECT_EQ(slots.at(0).size(), kSlotTextUnits);
    slots.set(1, std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(slots.at(1), u"ab");
    // A cut through a surrogate pair drops its first half too.
    slots.set(2, std::u16string(126, u'x') + u"\U0001F600");
    EXPECT_EQ(slots.at(2), std::u16string(126, u'x'));
    slots.set(kSlotCount, u"nowhere");
    slots.set(-1, u"nowhere");
    EXPECT_EQ(slots.at(kSlotCount), u"");
    EXPECT_EQ(slots.at(-1), u"");
}

TEST(PasswordSlots, ShiftsSwapsAndPermutes) {
    PasswordSlots slots;
    for (int i = 0; i < kSlotCount; ++i) {
        slots.set(i, formatTitle(i));
    }
    slots.removeAt(1);
    EXPECT_EQ(slots.at(1), u"t2");
    EXPECT_EQ(slots.at(kSlotCount - 2), formatTitle(kSlotCount - 1));
    EXPECT_EQ(slots.at(kSlotCount - 1), u"");

    slots.insertAt(0);
    EXPECT_EQ(slots.at(0), u"");
    EXPECT_EQ(slots.at(1), u"t0");
    EXPECT_EQ(slots.at(kSlotCount - 1), formatTitle(kSlotCount - 1));

    slots.swap(0, 1);
    EXPECT_EQ(slots.at(0), u"t0");
    const std::vector<int> order{2, 0, 1};
    slots.permute(order);
    EXPECT_EQ(slots.at(0), u"t2");
    EXPECT_EQ(slots.at(1), u"t0");
    EXPECT_EQ(slots.at(2), u"");
    EXPECT_EQ(slots.at(3), u"t3"); // beyond the order: untouched

    slots.clearAll();
    EXPECT_EQ(slots.at(3), u"");
}

TEST_F(EntryTableTest, WholeEntriesGoInAndOutWithTheirPasswordsAndMarksFollowTheirRows) {
    addEntries({u"a", u"b", u"c"});
    rows.setRowMarks(1, kMarkFocused | kMarkDropHilited, kAllMarks);
    table.insertEntry(0, testEntry(u"x", u"V", u"id-x", u"pw-x"));
    EXPECT_EQ(titles(), (Titles{u"x", u"a", u"b", u"c"}));
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), kMarkFocused | kMarkDropHilited);
    expectPaired();

    // A replaced row keeps the bytes its password was loaded with while the password stays.
    PasswordRecord stored{};
    stored[0] = 0x41;
    slots.setLoaded(2, u"pw-b", stored);
    table.replaceEntry(2, testEntry(u"b", u"T", u"id-b", u"pw-b"));
    EXPECT_TRUE(slots.loadedRecord(2).has_value());
    EXPECT_EQ(rows.rowMarks(2, kAllMarks), 0u); // built anew, as the edit dialog leaves it
    EXPECT_EQ(table.entryAt(2), testEntry(u"b", u"T", u"id-b", u"pw-b"));
    table.replaceEntry(2, testEntry(u"b", u"T", u"id-b", u"new"));
    EXPECT_FALSE(slots.loadedRecord(2).has_value());

    // Appending stops where the table is full; one type for every row leaves the rest alone.
    std::vector<Entry> many(kMaxRows, testEntry(u"m", u"B", u"i", u"p"));
    EXPECT_EQ(table.appendEntries(many), kMaxRows - 4);
    EXPECT_TRUE(table.isFull());
    table.setEveryType(EntryType(EntryType::kPaste));
    EXPECT_EQ(table.entryAt(0), testEntry(u"x", u"V", u"id-x", u"pw-x"));
    EXPECT_EQ(table.entryAt(kMaxRows - 1), testEntry(u"m", u"V", u"i", u"p"));
    EXPECT_FALSE(table.entryAt(kMaxRows).has_value());
}

} // namespace
} // namespace kavo
