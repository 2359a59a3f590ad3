#include "dialogs/find_rule.h"
#include "resources/texts.h"
#include "tests/support/memory_table.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(FindRule, FullWidthFormsAndCaseFoldTogether) {
    struct Case {
        std::u16string_view title;
        std::u16string_view id;
        std::u16string_view typed;
        bool matches;
    };
    const Case cases[] = {
        {u"Tokyo Bank", u"", u"BANK", true},
        {u"Tokyo Bank", u"", u"ｂａｎｋ", true},         // full-width letters
        {u"ＴＯＫＹＯ銀行", u"", u"tokyo銀", true},      // full-width in the title
        {u"", u"user０４２", u"USER042", true},          // full-width digits in the ID
        {u"mail", u"a.b@example.jp", u"Ｂ＠ＥＸ", true}, // punctuation too
        {u"my bank", u"", u"my　bank", true},            // the ideographic space
        {u"Ärzte Ωmega Почта", u"", u"äRZTE ωMEGA пОЧТА", true},
        {u"Tokyo Bank", u"taro", u"osaka", false},
        {u"Tokyo Bank", u"taro", u"", false}, // an empty box finds nothing
        {u"ﾒｰﾙ", u"", u"メール", false},      // katakana widths stay apart
        {u"ab", u"", u"abc", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entryMatches(c.title, c.id, foldForFind(c.typed)), c.matches)
            << std::string(c.typed.begin(), c.typed.end());
    }
}

class FindRowsTest : public ::testing::Test {
  protected:
    // Rows 1 and 3 match "bank" by title, row 4 by ID.
    void SetUp() override {
        const std::u16string_view cells[][2] = {{u"mail", u"taro"},       {u"Bank A", u"t1"},
                                                {u"shop", u"s"},          {u"bank B", u"t2"},
                                                {u"wifi", u"BANK-admin"}, {u"news", u"n"}};
        for (const auto& [title, id] : cells) {
            table.insertEntry(table.rowCount(), testEntry(title, u"B", id, u"pw"));
        }
    }
    FindResult next(int from) { return findFrom(table, u"BANK", from, FindDirection::Next); }
    FindResult previous(int from) {
        return findFrom(table, u"BANK", from, FindDirection::Previous);
    }

    SilentTableHost host;
    MemoryRowView rows;
    StoreContents contents;
    EntryTable table{rows, contents, host};
};

TEST_F(FindRowsTest, NextAndPreviousGoAroundTheEndOrFindNothing) {
    EXPECT_EQ(findFirst(table, u"bank").row, 1);
    struct Step {
        FindResult result;
        int row;
        bool wrapped;
    };
    const Step steps[] = {
        {next(-1), 1, false},    {next(1), 3, false},    {next(3), 4, false},
        {next(4), 1, true},      {next(5), 1, true},     {previous(-1), 4, false},
        {previous(4), 3, false}, {previous(1), 4, true}, {previous(0), 4, true},
        {next(0), 1, false},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.result.row, step.row);
        EXPECT_EQ(step.result.wrapped, step.wrapped) << "row " << step.row;
    }
    EXPECT_EQ(findStatusText(next(4), FindDirection::Next), kFindWrappedToTopText);
    EXPECT_EQ(findStatusText(previous(1), FindDirection::Previous), kFindWrappedToBottomText);
    EXPECT_EQ(findStatusText(next(1), FindDirection::Next), u"");

    // Only the row itself, or no row, matches.
    const FindResult self = findFrom(table, u"shop", 2, FindDirection::Next);
    EXPECT_TRUE(self.row == 2 && self.wrapped);
    EXPECT_TRUE(findFrom(table, u"mail", 5, FindDirection::Next).wrapped); // just past the end
    const FindResult none = findFrom(table, u"osaka", 2, FindDirection::Previous);
    EXPECT_EQ(none.row, -1);
    EXPECT_EQ(findStatusText(none, FindDirection::Previous), kFindNoMatchText);
    MemoryRowView noRows;
    EXPECT_EQ(findFirst(EntryTable(noRows, contents, host), u"bank").row, -1);
}

TEST_F(FindRowsTest, TheRowFoundIsTheOnlyMarkedOneAsAfterAClick) {
    rows.select({0, 2});
    rows.setRowMarks(2, kAllMarks, kAllMarks);
    table.showFoundRow(3);
    for (int row = 0; row < rows.rowCount(); ++row) {
        EXPECT_EQ(rows.rowMarks(row, kAllMarks), row == 3 ? kAllMarks : 0u) << "row " << row;
    }
    EXPECT_EQ(rows.shownRow, 3);
}

TEST(FindBoxPlace, BelowTheWindowElseAboveElseWhereItWas) {
    const ScreenRect work{0, 0, 1280, 1000};
    const ScreenRect centred{500, 480, 800, 560}; // 300 x 80
    EXPECT_EQ(findBoxPlace(centred, {100, 100, 500, 600}, work), (ScreenRect{100, 600, 400, 680}));
    EXPECT_EQ(findBoxPlace(centred, {1100, 100, 1500, 600}, work),
              (ScreenRect{980, 600, 1280, 680})); // kept inside sideways
    EXPECT_EQ(findBoxPlace(centred, {100, 500, 500, 950}, work), (ScreenRect{100, 420, 400, 500}));
    EXPECT_EQ(findBoxPlace(centred, {100, 40, 500, 950}, work), centred);
}

} // namespace
} // namespace kavo
