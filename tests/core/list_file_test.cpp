#include "store/decimal_text.h"
#include "store/entry_table.h"
#include "store/list_file.h"
#include "store/load_report.h"
#include "store/text_lines.h"
#include "tests/support/memory_table.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavo {
namespace {

// What the table shows for one row: title, type, ID and PW cell.
using Cells = std::vector<std::u16string>;

// A table as a load fills it: the parser's rows, shown through the list.
struct ListTable : MemoryTable {
    int rowCount() const { return table.rowCount(); }
};

Cells cellsOf(const ListTable& rows, int row) {
    Cells cells;
    for (int cell = 0; cell < kCellCount; ++cell) {
        cells.push_back(std::u16string(rows.table.cellText(row, cell)));
    }
    return cells;
}

void parseFile(ListParser& parser, ListTable& rows, std::u16string_view text) {
    std::vector<Entry> parsed;
    parser.parseListLines(parsed, splitTextFile(encodeTextFile(text)).value());
    rows.table.loadRows(std::move(parsed));
}

bool parseBytes(ListParser& parser, ListTable& rows, const Bytes& file) {
    std::vector<Entry> parsed;
    const bool read = parser.parseListFile(parsed, file);
    rows.table.loadRows(std::move(parsed));
    return read;
}

TEST(ListParser, ReadsEntriesCompletedByTheirIdLine) {
    ListParser parser;
    ListTable rows;
    parseFile(parser, rows,
              u"title=Mail\r\ntype=W\r\nid=me@example.com\r\n"
              u"title=\r\ntype=\r\nid=\r\n");
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"Mail", u"W", u"me@example.com", u"*******"}));
    EXPECT_EQ(cellsOf(rows, 1), (Cells{u"", u"", u"", u"*******"}));
}

TEST(ListParser, MissingTypeTakesTheLetterReadLastEvenFromAnEarlierFile) {
    ListParser parser;
    ListTable rows;
    const EntryTable& table = rows.table;
    parseFile(parser, rows,
              u"title=a\r\nid=1\r\ntitle=b\r\ntype=VTB\r\nid=2\r\ntitle=c\r\nid=3\r\n");
    EXPECT_EQ(std::u16string(table.cellText(0, kCellType)), u"");  // nothing read yet in this run
    EXPECT_EQ(std::u16string(table.cellText(1, kCellType)), u"V"); // only the first unit counts
    EXPECT_EQ(std::u16string(table.cellText(2, kCellType)), u"V");

    // A second file starts again at row 0 but remembers the letter.
    parseFile(parser, rows, u"title=d\r\nid=4\r\n");
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"d", u"V", u"4", u"*******"}));
}

TEST(ListParser, OnlyExactLowerCasePrefixesAtTheStartCount) {
    ListParser parser;
    ListTable rows;
    parseFile(parser, rows,
              u"Title=upper\r\n title=blank\r\ntitle=real\r\nTYPE=X\r\ntype=T\r\n"
              u"ID=no\r\nid =no\r\nnoise\r\nid=yes\r\n");
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"real", u"T", u"yes", u"*******"}));
}

TEST(ListParser, LoneTitleLineLeavesARowThatTheNextEntryIsInsertedAhead) {
    ListParser parser;
    ListTable rows;
    parseFile(parser, rows, u"title=lone\r\ntitle=full\r\ntype=B\r\nid=x\r\n");
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"full", u"B", u"x", u"*******"}));
    EXPECT_EQ(cellsOf(rows, 1), (Cells{u"lone", u"", u"", u"*******"}));

    // An id line with no title before it is dropped, and said so; it must not shift the IDs of
    // the entries after it onto the wrong titles.
    parseFile(parser, rows, u"id=orphan\r\ntitle=next\r\nid=y\r\n");
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"next", u"B", u"y", u"*******"}));
    EXPECT_EQ(parser.losses().entriesDropped, 1);
}

TEST(ListParser, StopsAfterTheThousandthEntry) {
    std::u16string text;
    for (int entry = 0; entry < kMaxRows + 5; ++entry) {
        text += u"title=e" + formatInt(entry) + u"\r\ntype=B\r\nid=" + formatInt(entry) + u"\r\n";
    }
    ListParser parser;
    ListTable rows;
    const EntryTable& table = rows.table;
    parseFile(parser, rows, text);
    ASSERT_EQ(rows.rowCount(), kMaxRows);
    EXPECT_EQ(cellsOf(rows, kMaxRows - 1), (Cells{u"e999", u"B", u"999", u"*******"}));
    EXPECT_EQ(parser.losses().entriesDropped, 5);

    // Nothing past the thousandth entry is read, not even a type letter for the next file.
    parseFile(parser, rows, text + u"type=V\r\n");
    parseFile(parser, rows, u"title=next\r\nid=1\r\n");
    EXPECT_EQ(std::u16string(table.cellText(0, kCellType)), u"B");
}

TEST(ListParser, LoneCrAndLfEndLinesAsCrLfDoesAndLossesAreCounted) {
    // As another editor may save it: LF only, CR only, and mixed with CR LF.
    const std::u16string longText(200, u'x');
    const Bytes file = encodeTextFile(u"title=a\ntype=T\nid=1\ntitle=b\rid=2\r\n\r\ntitle=" +
                                      longText + u"\r\nid=" + longText + u"\n");
    ListParser parser;
    ListTable rows;
    ASSERT_TRUE(parseBytes(parser, rows, file));
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{u"a", u"T", u"1", u"*******"}));
    EXPECT_EQ(cellsOf(rows, 1), (Cells{u"b", u"T", u"2", u"*******"}));
    EXPECT_EQ(parser.losses().textsCut, 2);
    EXPECT_EQ(parser.losses().entriesDropped, 0);

    // A clean file after it reports nothing, a title of exactly what the file keeps included.
    const std::u16string longest(kStoredTextUnits, u'x');
    ASSERT_TRUE(parseBytes(parser, rows, encodeTextFile(u"title=" + longest + u"\r\nid=1\r\n")));
    EXPECT_FALSE(parser.losses().any());
}

TEST(ListParser, AFullTableKeepsTheLastCompleteEntryOverALoneTitle) {
    std::u16string text = u"title=DANGLING\r\n";
    for (int entry = 0; entry < kMaxRows; ++entry) {
        text += u"title=e" + formatInt(entry) + u"\r\ntype=B\r\nid=" + formatInt(entry) + u"\r\n";
    }
    ListParser parser;
    ListTable rows;
    parseFile(parser, rows, text);
    ASSERT_EQ(rows.rowCount(), kMaxRows);
    EXPECT_EQ(cellsOf(rows, kMaxRows - 1), (Cells{u"e999", u"B", u"999", u"*******"}));
}

TEST(ListParser, TitleLinesWithoutIdsNeverPassTheRowLimit) {
    std::u16string text;
    for (int line = 0; line < kMaxRows + 10; ++line) {
        text += u"title=lone\r\n";
    }
    ListParser parser;
    ListTable rows;
    parseFile(parser, rows, text);
    EXPECT_EQ(rows.rowCount(), kMaxRows);
}

TEST(ListParser, OverlongTitlesAndIdsAreCutAsTheFileWouldKeepThem) {
    const std::u16string longText(300, u'x');
    ListParser parser;
    ListTable rows;
    const EntryTable& table = rows.table;
    parseFile(parser, rows, u"title=" + longText + u"\r\nid=" + longText + u"\r\n");
    EXPECT_EQ(std::u16string(table.cellText(0, kCellTitle)).size(), kStoredTextUnits);
    EXPECT_EQ(std::u16string(table.cellText(0, kCellId)).size(), kStoredTextUnits);
}

TEST(ListFileText, WritesThreeLinesPerRowCutToWhatTheFileKeeps) {
    ListTable rows;
    EntryTable& table = rows.table;
    const std::u16string longTitle(255, u'T');
    table.insertEntry(0, testEntry(longTitle, u"WX", u"id", u"secret")); // one letter; no password
    table.insertEntry(1, testEntry(u"\u65e5\u672c", u"", u""));
    EXPECT_EQ(listFileText(table), u"title=" + longTitle.substr(0, 127) +
                                       u"\r\ntype=W\r\nid=id\r\n"
                                       u"title=\u65e5\u672c\r\ntype=\r\nid=\r\n");
}

// U+10FFFF: the highest high surrogate (0xDBFF) and the highest low one.
constexpr std::u16string_view kLastPair = u"\U0010FFFF";

TEST(ListFileText, CutsNeverSplitAPairAndNoHalfPairIsWritten) {
    const std::u16string a126(kStoredTextUnits - 1, u'a');
    ListTable rows;
    EntryTable& table = rows.table;
    table.insertEntry(0, testEntry(a126 + u"\U00020BB7", u"", a126 + std::u16string(kLastPair)));
    table.insertEntry(1, testEntry(u"lone \xD800 and \xDC00", u"",
                                   a126 + u"\xDC00"
                                          u"b"));
    EXPECT_EQ(listFileText(table), u"title=" + a126 + u"\r\ntype=\r\nid=" + a126 +
                                       u"\r\ntitle=lone \uFFFD and \uFFFD\r\ntype=\r\nid=" + a126 +
                                       u"\uFFFD\r\n");

    // Read back, a pair at the cut goes whole, and the cut is still counted.
    ListParser parser;
    parseFile(parser, rows, u"title=" + a126 + std::u16string(kLastPair) + u"\r\nid=x\r\n");
    EXPECT_EQ(std::u16string(table.cellText(0, kCellTitle)), a126);
    EXPECT_EQ(parser.losses().textsCut, 1);
}

TEST(ListFileText, EmptyTableGivesJustTheMark) {
    ListTable rows;
    const EntryTable& table = rows.table;
    EXPECT_EQ(encodeTextFile(listFileText(table)), (Bytes{0xFF, 0xFE}));
}

TEST(ListFileText, RowsBeyondTheThousandthAreNotWritten) {
    ListTable rows;
    EntryTable& table = rows.table;
    for (int row = 0; row <= kMaxRows; ++row) {
        table.insertEntry(row, testEntry(u"r" + formatInt(row), u"B", u"i"));
    }
    const std::u16string text = listFileText(table);
    EXPECT_NE(text.find(u"title=r999\r\n"), std::u16string::npos);
    EXPECT_EQ(text.find(u"title=r1000\r\n"), std::u16string::npos);
}

TEST(LoadReport, OneMessageSaysWhatEachFileLostAndNothingWhenNothingWasLost) {
    EXPECT_EQ(loadLossMessage(u"pw_set1.dat", {}, u"pw_set2.dat", {}, true), u"");
    PasswordLoadLosses passwords;
    passwords.missingRecords = 993;
    passwords.unreadableRecords = 2;
    passwords.masterUnreadable = true;
    const std::u16string text =
        loadLossMessage(u"pw_set1.dat", {}, u"pw_set2.dat", passwords, true);
    EXPECT_EQ(
        text,
        u"ファイルの一部を読み込めませんでした。\n"
        u"・pw_set2.dat：ファイルが途中で終わっていて、パスワード 993 件分がありません。\n"
        u"・pw_set2.dat：この PC の文字コードで読めないパスワード 2 件は、空欄として扱います。\n"
        u"マスターパスワードが読めないので、ロックは解除できません。\n"
        u"保存する前に、元のファイルを 2 つとも別の名前で残します。");
    // Losses a save writes back byte for byte promise no copy.
    EXPECT_EQ(
        loadLossMessage(u"pw_set1.dat", {}, u"pw_set2.dat", passwords, false).find(u"残します"),
        std::u16string::npos);
}

} // namespace
} // namespace kavo
