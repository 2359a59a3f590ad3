#include "store/csv_import.h"
#include "dialogs/entry_type.h"
#include "store/list_file.h"
#include "tests/support/memory_table.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <string>

namespace kavo {
namespace {

Bytes utf8(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes utf16le(std::u16string_view text) {
    Bytes bytes{0xFF, 0xFE};
    appendUtf16(bytes, text);
    return bytes;
}

struct Row {
    std::u16string title;
    std::u16string id;
    std::u16string password;
    bool operator==(const Row&) const = default;
};

std::vector<Row> rowsOf(const ImportPlan& plan) {
    std::vector<Row> rows;
    for (const ImportedEntry& entry : plan.entries) {
        rows.push_back({entry.title, entry.id, entry.password});
    }
    return rows;
}

// The header sets of the common exports, each with one log-in.
TEST(CsvImport, ReadsTheColumnSetsOfTheCommonExports) {
    const Latin1Codec codec;
    const struct {
        const char* tool;
        std::string file;
        Row expected;
    } cases[] = {
        {"keepass 2",
         "\"Account\",\"Login Name\",\"Password\",\"Web Site\",\"Comments\"\r\n"
         "\"Mail\",\"me\",\"pw1\",\"https://mail.example\",\"\"\r\n",
         {u"Mail", u"me", u"pw1"}},
        {"keepass 2 default",
         "\"Title\",\"User Name\",\"Password\",\"URL\",\"Notes\"\r\n"
         "Mail,me,pw1,,\r\n",
         {u"Mail", u"me", u"pw1"}},
        {"keepassxc",
         "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\"\n"
         "\"Root\",\"Bank\",\"u1\",\"p,1\",\"\",\"multi\nline\",\"\"\n",
         {u"Bank", u"u1", u"p,1"}},
        {"bitwarden",
         "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
         "login_password,login_totp\n,,login,Shop,,,0,https://shop.example/x,"
         "buyer,\"s\"\"q\",\n",
         {u"Shop", u"buyer", u"s\"q"}},
        {"browser",
         "name,url,username,password\nsite.example,https://site.example/,a,b\n",
         {u"site.example", u"a", u"b"}},
        {"browser without names",
         "url,username,password,httpRealm\n"
         "https://u@login.example:8443/path?q,a,b,\n",
         {u"login.example", u"a", u"b"}},
        {"the first of two title columns", "title,name,id,password\nT,N,I,P\n", {u"T", u"I", u"P"}},
        {"plain with a mark", "\xEF\xBB\xBFtitle,id,password\r\nT,I,P\r\n", {u"T", u"I", u"P"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        const ImportReading reading = planImport(utf8(c.file), kMaxRows, codec);
        ASSERT_EQ(reading.refusal, ImportRefusal::None);
        EXPECT_EQ(rowsOf(reading.plan), std::vector<Row>{c.expected});
        EXPECT_EQ(reading.plan.entries[0].type, EntryType(EntryType::kButton));
    }
}

TEST(CsvImport, ReadsUtf16AndFallsBackToTheCodePageForOtherBytes) {
    const Latin1Codec codec;
    EXPECT_EQ(rowsOf(planImport(utf16le(u"title,id,password\r\n日本,ＩＤ,pw\r\n"), 5, codec).plan),
              (std::vector<Row>{{u"日本", u"ＩＤ", u"pw"}}));
    // Not UTF-8: the code page reads it.
    EXPECT_EQ(rowsOf(planImport(utf8("title,id,password\nCaf\xE9,me,pw\n"), 5, codec).plan),
              (std::vector<Row>{{u"Caf\u00E9", u"me", u"pw"}}));
}

TEST(CsvImport, RefusesWhatIsNoCsvWithAHeader) {
    const Latin1Codec codec;
    EXPECT_EQ(planImport(utf8("a,b,c\n1,2,3\n"), 5, codec).refusal, ImportRefusal::NoHeader);
    EXPECT_EQ(planImport(utf8("password\nx\n"), 5, codec).refusal, ImportRefusal::NoHeader);
    EXPECT_EQ(planImport({}, 5, codec).refusal, ImportRefusal::NoRows);
    EXPECT_EQ(planImport(Bytes{'P', 'K', 3, 4, 0, 0}, 5, codec).refusal, ImportRefusal::NotText);
    EXPECT_EQ(planImport(Bytes{0xFF, 0xFE, 0x00, 0xD8}, 5, codec).refusal, ImportRefusal::NotText);
    const ImportReading unclosed =
        planImport(utf8("title,id,password\na,b,c\n\"d,e,f\ng,h,i\n"), 5, codec);
    EXPECT_EQ(unclosed.refusal, ImportRefusal::UnclosedQuote);
    EXPECT_EQ(unclosed.failedLine, 3);
    EXPECT_TRUE(unclosed.plan.entries.empty());
}

TEST(CsvImport, CountsEverySkippedRowByReasonAndNamesTheFirst) {
    const Latin1Codec codec;
    const ImportReading reading = planImport(utf8("title,id,password\n"
                                                  "ok1,a,b\n"
                                                  "\n"
                                                  "NoPassword,a,\n"
                                                  "Accent,a,caf\xC3\xA9\n"
                                                  "ok2,a,b\n"
                                                  "TooMany,a,b\n"
                                                  ",,\n"),
                                             2, codec);
    ASSERT_EQ(reading.refusal, ImportRefusal::None);
    const ImportPlan& plan = reading.plan;
    EXPECT_EQ(plan.entries.size(), 2u);
    EXPECT_EQ(plan.skipped[static_cast<std::size_t>(SkipReason::EmptyRow)], 2);
    EXPECT_EQ(plan.skipped[static_cast<std::size_t>(SkipReason::Incomplete)], 1);
    EXPECT_EQ(plan.skipped[static_cast<std::size_t>(SkipReason::UnstorablePassword)], 1);
    EXPECT_EQ(plan.skipped[static_cast<std::size_t>(SkipReason::TableFull)], 1);
    ASSERT_EQ(plan.firstSkipped.size(), 5u);
    EXPECT_EQ(plan.firstSkipped[1].row, 4);
    EXPECT_EQ(plan.firstSkipped[1].title, u"NoPassword");

    const std::u16string preview = importPreviewText(plan, u"x.csv");
    EXPECT_NE(preview.find(u"「x.csv」から 2 件"), std::u16string::npos);
    EXPECT_NE(preview.find(u"追加しない行: 5 件"), std::u16string::npos);
    EXPECT_NE(preview.find(u"4行目 「NoPassword」"), std::u16string::npos);
}

TEST(CsvImport, CrCrLfIsOneLineEndAndBlankLastLinesAreNoRows) {
    const Latin1Codec codec;
    const ImportReading reading =
        planImport(utf8("title,id,password\r\r\nA,a,1\r\r\n,,\r\r\nB,b,2\r\n\r\n\r\n"), 5, codec);
    ASSERT_EQ(reading.refusal, ImportRefusal::None);
    EXPECT_EQ(rowsOf(reading.plan), (std::vector<Row>{{u"A", u"a", u"1"}, {u"B", u"b", u"2"}}));
    EXPECT_EQ(reading.plan.skippedTotal(), 1);
    ASSERT_EQ(reading.plan.firstSkipped.size(), 1u);
    EXPECT_EQ(reading.plan.firstSkipped[0].row, 3);
    // A last record of one empty field still comes back through the writer.
    const std::vector<CsvRecord> records{{u"a", u"b"}, {u""}};
    const CsvDocument back = parseCsvText(u"\"\"");
    ASSERT_EQ(back.records.size(), 1u);
    const Bytes written = csvFileBytes(records);
    EXPECT_EQ(std::string(written.begin() + 3, written.end()), "a,b\r\n\"\"\r\n");
}

TEST(CsvImport, KeepsTitlesAndIdsOnOneLineAndWithinWhatTheListFileKeeps) {
    const Latin1Codec codec;
    const std::string longId(200, 'i');
    const ImportPlan plan =
        planImport(utf8("title,id,password\n\"two\nlines\"," + longId + ",pw\n"), 5, codec).plan;
    ASSERT_EQ(plan.entries.size(), 1u);
    EXPECT_EQ(plan.entries[0].title, u"two lines");
    EXPECT_EQ(plan.entries[0].id.size(), kStoredTextUnits);
    EXPECT_EQ(plan.entriesCut, 1);
    // A title whose kept part is all blanks is no title: the export would read back without it.
    const ImportPlan blank =
        planImport(utf8("title,id,password\n\"" + std::string(128, ' ') + "x\",me,pw\n"), 5, codec)
            .plan;
    EXPECT_TRUE(blank.entries.empty());
    EXPECT_EQ(blank.skipped[static_cast<std::size_t>(SkipReason::Incomplete)], 1);
}

TEST(CsvImport, ThePreviewNamesEveryTextOnOneShortLine) {
    const Latin1Codec codec;
    const std::string hugeTitle(1 << 20, 't');
    const ImportReading reading =
        planImport(utf8("title,id,password\n" + hugeTitle + ",id,\n"), 5, codec);
    const std::u16string preview =
        importPreviewText(reading.plan, std::u16string(300, u'f') + u".csv");
    EXPECT_LT(preview.size(), 400u);
    EXPECT_NE(preview.find(u"2行目 「" + std::u16string(40, u't') + u"…」"), std::u16string::npos);
    EXPECT_NE(preview.find(u"「" + std::u16string(40, u'f') + u"…」"), std::u16string::npos);
}

// Files whose quotes only make sense with backslash escapes, files with other separators and
// column names, each with the log-ins as the writing tool held them.
TEST(CsvImport, ReadsDialectsAndColumnNamesByEvidence) {
    const Latin1Codec codec;
    const struct {
        const char* sample;
        std::string file;
        std::vector<Row> expected;
    } cases[] = {
        {"backslash header: escapes decoded even where doubled quotes would read",
         "\"Account\",\"Login Name\",\"Password\",\"Web Site\",\"Comments\"\r\n"
         "\"Work\",\"DOMAIN\\\\me\",\"pa\\\"ss\",\"https://w.example\",\"\"\r\n"
         "\"Last\",\"u\",\"abc\\\"\",\"https://x.example\",\"\"\r\n",
         {{u"Work", u"DOMAIN\\me", u"pa\"ss"}, {u"Last", u"u", u"abc\""}}},
        {"backslash quotes under another header",
         "title,username,password,notes\n\"A\",\"u\",\"p\\\"w\",\"say \\\"hi\\\"\"\n",
         {{u"A", u"u", u"p\"w"}}},
        {"doubled quotes stay the plain dialect",
         "title,id,password\n\"A\",\"u\\\\\",\"p\"\"w\"\n",
         {{u"A", u"u\\\\", u"p\"w"}}},
        {"user name before an e-mail, the e-mail where it is empty",
         "title,email,x,Username,password\nA,a@mail.example,,alice,1\nB,b@mail.example,,,2\n",
         {{u"A", u"alice", u"1"}, {u"B", u"b@mail.example", u"2"}}},
        {"a name column before the URL's host, blank titles as missing",
         "url,nickname,login,Pwd\nhttps://a.example/x,Alpha,u,1\nhttps://b.example/,  ,v,2\n",
         {{u"Alpha", u"u", u"1"}, {u"b.example", u"v", u"2"}}},
        {"more English names",
         "Entry Name,Login_URLs,User,Password\nE,https://e.example,u,1\n"
         "Display_Name,Site URL,login,pass\nD,https://d.example,u,2\n",
         {{u"E", u"u", u"1"}, {u"Display_Name", u"login", u"pass"}, {u"D", u"u", u"2"}}},
        {"a host name only when no better title",
         "hostname,Secret Name,username,password\nh.example,S,u,1\n",
         {{u"S", u"u", u"1"}}},
        {"Japanese names, full-width ID",
         "サービス名,ユーザＩＤ,パスワード,URL\nS,u,1,\n",
         {{u"S", u"u", u"1"}}},
        {"Japanese user name", "サイト名,ユーザ名,パスワード\nS,u,1\n", {{u"S", u"u", u"1"}}},
        {"semicolons",
         "name;url;username;password\nA;https://a.example;u;\"p;1\"\n",
         {{u"A", u"u", u"p;1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        const ImportReading reading = planImport(utf8(c.file), kMaxRows, codec);
        ASSERT_EQ(reading.refusal, ImportRefusal::None);
        EXPECT_EQ(rowsOf(reading.plan), c.expected);
    }
}

TEST(CsvImport, RefusesWhatNoDialectReadsWhole) {
    const Latin1Codec codec;
    // Text after a closing quote, with either reading of the quotes.
    const ImportReading broken =
        planImport(utf8("title,id,password\na,b,c\n\"d\"x,e,f\n\"g\\\"y,h,i\n"), 5, codec);
    EXPECT_EQ(broken.refusal, ImportRefusal::Inconsistent);
    EXPECT_EQ(broken.failedLine, 3);
    EXPECT_NE(importRefusalText(broken, u"b.csv").find(u"3 行目"), std::u16string::npos);
    // A backslash-dialect entry last: no reading swallows the file's end.
    const ImportReading last =
        planImport(utf8("\"Account\",\"Login Name\",\"Password\",\"Web Site\",\"Comments\"\n"
                        "\"A\",\"u\",\"x\\\"\",\"https://a.example\",\"\"\n"),
                   5, codec);
    ASSERT_EQ(last.refusal, ImportRefusal::None);
    EXPECT_EQ(rowsOf(last.plan), (std::vector<Row>{{u"A", u"u", u"x\""}}));
    EXPECT_EQ(planImport(utf8("\n\r\n"), 5, codec).refusal, ImportRefusal::NoRows);
}

// Exports without a header row, told apart by the shape of their values.
TEST(CsvSurvey, GuessesHeaderlessColumnsByTheirValues) {
    const Latin1Codec codec;
    const struct {
        const char* sample;
        std::string file;
        CsvColumns expected;
    } cases[] = {
        {"folder, title, login, password, URL, notes",
         "Personal,Mail,me@mail.example,Xk3!pq9Lz,https://mail.example,my mail\n"
         "Personal,Bank,bank user,Bq7$rT2mWn,https://bank.example,\n",
         {.title = 1, .email = 2, .password = 3, .url = 4}},
        {"account, user id, password, URL, notes",
         "Shop,buyer,hunter2Z!,shop.example,\nForum,poster,9fj#KLq2,https://forum.example,old "
         "one\n",
         {.title = 0, .id = 1, .password = 2, .url = 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        CsvSurvey survey = surveyCsv(utf8(c.file), codec);
        ASSERT_EQ(survey.refusal, ImportRefusal::None);
        EXPECT_FALSE(survey.headerKnown);
        EXPECT_TRUE(survey.wantsPicker());
        EXPECT_FALSE(survey.guess.firstRowIsHeader);
        EXPECT_EQ(survey.guess.columns, c.expected);
        const ImportPlan plan = planImport(utf8(c.file), survey.guess, kMaxRows, codec).plan;
        EXPECT_EQ(plan.entries.size(), 2u);
        wipeSurvey(survey);
        EXPECT_TRUE(survey.firstRows.empty());
    }
    // An unknown header over such rows is taken for one, and tabs go to the picker too.
    const CsvSurvey named =
        surveyCsv(utf8("Site\tKonto\tKennwort\nhttps://a.example\tme@a.example\tQ9!x\n"), codec);
    EXPECT_TRUE(named.guess.firstRowIsHeader);
    EXPECT_EQ(named.guess.dialect.separator, u'\t');
    EXPECT_TRUE(named.wantsPicker());
    EXPECT_FALSE(surveyCsv(utf8("title,id,password\nA,b,c\n"), codec).wantsPicker());
    // A row of endless empty fields costs no more than the columns the picker offers.
    const CsvSurvey wide =
        surveyCsv(utf8("title,id,password" + std::string(100000, ',') + "\nA,b,c\n"), codec);
    EXPECT_TRUE(wide.headerKnown);
    EXPECT_EQ(wide.columnCount, kSurveyColumns);
}

TEST(CsvImport, NamesSkippedRowsByTheirSpreadsheetRowNotTheFileLine) {
    const Latin1Codec codec;
    const CsvLayout headerless{{}, {.title = 0, .id = 1, .password = 2}, false};
    const ImportPlan plan =
        planImport(utf8("\"two\nlines\",a,1\n\"B\",b,\n\"   \",c,3\n"), headerless, 5, codec).plan;
    ASSERT_EQ(plan.firstSkipped.size(), 2u);
    EXPECT_EQ(plan.firstSkipped[0].row, 2);
    EXPECT_EQ(plan.firstSkipped[1].row, 3);
    const std::u16string preview = importPreviewText(plan, u"x.csv");
    EXPECT_NE(preview.find(u"2行目 「B」"), std::u16string::npos);
    EXPECT_NE(preview.find(u"3行目 （タイトルなし）"), std::u16string::npos);
}

TEST(CsvExport, ComesBackThroughImportUnchangedTypesIncluded) {
    const Latin1Codec codec;
    MemoryTable memory;
    EntryTable& table = memory.table;
    StoreContents& contents = memory.contents;
    const std::vector<ImportedEntry> entries{
        {u"Quote \"and\", comma", EntryType(EntryType::kPasteOrTime), u" spaced id ", u"p\"w,1"},
        {u"日本語 𠀋", EntryType(EntryType::kTime), u"id", u" pw "},
        {u"Plain", EntryType(EntryType::kButton), u"=1+2", u"x"},
    };
    addImportedEntries(table, entries);
    EXPECT_TRUE(contents.dirty);

    const CsvExport file = exportCsv(table);
    EXPECT_EQ(file.entries, 3);
    const std::string text(file.bytes.begin(), file.bytes.end());
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFtitle,type,id,password\r\n\"Quote"));

    // Spreadsheets trim blanks around a field unless it is quoted.
    EXPECT_NE(text.find(",W,\" spaced id \","), std::string::npos);

    const ImportPlan again = planImport(file.bytes, kMaxRows, codec).plan;
    ASSERT_EQ(again.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(again.entries[i].title, entries[i].title);
        EXPECT_EQ(again.entries[i].type, entries[i].type);
        EXPECT_EQ(again.entries[i].id, entries[i].id);
        EXPECT_EQ(again.entries[i].password, entries[i].password);
    }
}

TEST(CsvExport, ATitleCutAtAPairStillImportsBack) {
    const Latin1Codec codec;
    MemoryTable memory;
    EntryTable& table = memory.table;
    const std::u16string a126(kStoredTextUnits - 1, u'a');
    // Longer than the file keeps, a pair across the cut.
    table.insertEntry(0, {a126 + u"\U00020BB7", EntryType(EntryType::kButton), u"id\xD800", u"pw"});

    const CsvExport file = exportCsv(table);
    const ImportReading back = planImport(file.bytes, kMaxRows, codec);
    ASSERT_EQ(back.refusal, ImportRefusal::None);
    EXPECT_EQ(rowsOf(back.plan), (std::vector<Row>{{a126, u"id\uFFFD", u"pw"}}));

    // Whatever the records hold, half a pair is written as U+FFFD.
    const Bytes lone = csvFileBytes(std::vector<CsvRecord>{{u"\xDBFF"}});
    EXPECT_EQ(lone, (Bytes{0xEF, 0xBB, 0xBF, 0xEF, 0xBF, 0xBD, '\r', '\n'}));
}

} // namespace
} // namespace kavo
