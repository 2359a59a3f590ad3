// The entry list and its two files, driven through KAVO.exe as a user drives it: the rows it
// shows, the menu commands that change them, saving, and the prompt before it ends.
#include "resources/resource.h"
#include "store/password_file.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr std::size_t kMarkOnly = 2;
constexpr std::size_t kPasswordFileSize = 128130;
// The longest title or ID the list file keeps.
constexpr std::size_t kLongestStoredText = 127;
// Long enough that a running program is not mistaken for one still on its way out.
constexpr DWORD kKeepsRunningMs = 500;

const MessageBoxText kOpenFailure{L"ﾌｧｲﾙｴﾗｰ", L"ﾌｧｲﾙが開けません"};
const MessageBoxText kListNotSaved{L"ﾌｧｲﾙｴﾗｰ",
                                   L"pw_set1.datを保存できません。\nファイルは保存前のままです。"};
const MessageBoxText kExitPrompt{L"強制終了", L"データー保存後に終了しますか？。"};
const MessageBoxText kNoSelection{L"項目移動", L"項目を選んで下さい。"};

const MessageBoxText kOneEntryDropped{
    L"ﾌｧｲﾙｴﾗｰ", L"ファイルの一部を読み込めませんでした。\n"
                L"・pw_set1.dat：項目 1 件（1000 件を超えた分か、タイトルの行がない分）を読み込んで"
                L"いません。\n保存する前に、元のファイルを 2 つとも別の名前で残します。"};

// The copies KAVO kept of files it could not read whole.
std::vector<std::wstring> filesKeptAside(const TempDirectory& dir) {
    std::vector<std::wstring> kept;
    for (const std::wstring& name : dir.names()) {
        if (name.find(L".as-found-") != std::wstring::npos) {
            kept.push_back(name);
        }
    }
    return kept;
}

void expectBox(const MessageBoxText& shown, const MessageBoxText& expected) {
    EXPECT_EQ(shown.caption, expected.caption);
    EXPECT_EQ(shown.text, expected.text);
}

// The window is up and nothing was reported while the files were read.
void waitUntilShownQuietly(Kavo& kavo) {
    kavo.shownWindow();
    EXPECT_EQ(kavo.waitForMessageBox(0), nullptr) << "a message appeared at start";
}

// Each test's data directory and the KAVO started in it.
class Store : public ::testing::Test {
  protected:
    // Starts KAVO in the data directory as its files are.
    void launch() {
        list.reset();
        kavo.emplace(dir.path());
    }
    // The window is up with nothing reported, and its list can be read.
    void shown() {
        waitUntilShownQuietly(*kavo);
        list.emplace(*kavo);
    }
    // Writes the entries and the settings, starts KAVO and waits until it is shown.
    void startWith(std::span<const Entry> entries,
                   const SettingsRecord& settings = passModeSettings()) {
        writeDataFiles(dir, entries, settings);
        launch();
        shown();
    }

    TempDirectory dir;
    std::optional<Kavo> kavo;
    std::optional<ListDriver> list;
};

std::size_t firstDifference(const Bytes& a, const Bytes& b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                                    a.begin());
}

// The list file compared byte for byte; a difference is shown as the two texts.
::testing::AssertionResult sameListFile(const Bytes& saved, const Bytes& expected) {
    if (saved == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto text = [](const Bytes& bytes) {
        std::u16string units;
        for (std::size_t i = kMarkOnly; i + 1 < bytes.size(); i += 2) {
            units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
        }
        return ::testing::PrintToString(units);
    };
    return ::testing::AssertionFailure()
           << "pw_set1.dat differs at byte " << firstDifference(saved, expected)
           << "\n  saved:    " << text(saved) << "\n  expected: " << text(expected);
}

// The password file compared byte for byte; a difference is named by its record.
::testing::AssertionResult samePasswordFile(const Bytes& saved, const Bytes& expected) {
    if (saved == expected) {
        return ::testing::AssertionSuccess();
    }
    const std::size_t at = firstDifference(saved, expected);
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "pw_set2.dat has " << saved.size() << " bytes, " << expected.size()
            << " expected; first difference at byte " << at;
    if (at >= kMarkOnly) {
        // Record 0 is the master password, record k + 1 the password of row k.
        failure << ", in record " << (at - kMarkOnly) / kRecordBytes;
    }
    return failure;
}

void expectStored(const TempDirectory& dir, std::span<const Entry> entries) {
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor(entries)));
    EXPECT_TRUE(
        samePasswordFile(dir.read(kPasswordFile), passwordFileFor(kMasterPassword, entries)));
}

TEST_F(Store, ShowsTheStoredRowsRevealsTheirPasswordsAndEndsWithoutAskingWhenNothingChanged) {
    std::vector<Entry> entries = numberedEntries(4);
    entries[1].title = u"銀行 ネットバンキング";
    // The longest title the file keeps must come through the list whole.
    entries[2].title = std::u16string(kLongestStoredText, u'x');
    writeDataFiles(dir, entries, passModeSettings());
    const Bytes listBefore = dir.read(kListFile);
    const Bytes passwordsBefore = dir.read(kPasswordFile);

    launch();
    shown();
    EXPECT_EQ(list->readRows(), maskedRows(entries));

    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(entries));
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), maskedRows(entries));

    ASSERT_TRUE(kavo->endsWithoutAsking());
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listBefore));
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), passwordsBefore));
}

TEST_F(Store, FirstStartWithoutFilesReportsBothOpensEmptyAndSavesAnEmptyStore) {
    launch();
    // The password file and then the list: the same message twice.
    expectBox(kavo->answerNext(IDOK), kOpenFailure);
    expectBox(kavo->answerNext(IDOK), kOpenFailure);
    shown();
    EXPECT_EQ(list->rowCount(), 0);

    kavo->command(IDC_CMD_SAVE);
    EXPECT_EQ(kavo->waitForMessageBox(0), nullptr);
    EXPECT_EQ(dir.read(kListFile).size(), kMarkOnly);
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor({})));
    EXPECT_EQ(dir.read(kPasswordFile).size(), kPasswordFileSize);
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), passwordFileFor(u"", {})));
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(Store, AMissingListIsReportedOnceAndThePasswordsSurviveASave) {
    const std::vector<Entry> entries = numberedEntries(3);
    writeDataFiles(dir, entries, passModeSettings());
    DeleteFileW(dir.file(kListFile).c_str());
    const Bytes passwords = dir.read(kPasswordFile);

    launch();
    expectBox(kavo->answerNext(IDOK), kOpenFailure);
    shown();
    EXPECT_EQ(list->rowCount(), 0);

    kavo->command(IDC_CMD_SAVE);
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor({})));
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), passwords));
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(Store, AMissingPasswordFileIsReportedOnceAndLeavesTheRowsWithoutPasswords) {
    std::vector<Entry> entries = numberedEntries(3);
    writeDataFiles(dir, entries, passModeSettings());
    DeleteFileW(dir.file(kPasswordFile).c_str());

    launch();
    expectBox(kavo->answerNext(IDOK), kOpenFailure);
    shown();
    EXPECT_EQ(list->readRows(), maskedRows(entries));

    for (Entry& entry : entries) {
        entry.password.clear();
    }
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(entries));
    kavo->command(IDC_CMD_SAVE);
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), passwordFileFor(u"", entries)));
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(Store, DeletingRowsKeepsEveryOtherRowWithItsOwnPassword) {
    const std::vector<Entry> entries = numberedEntries(5);
    startWith(entries);

    list->selectRows({1, 3});
    kavo->command(IDC_CMD_DELETE);
    const std::vector<Entry> kept = pick(entries, {0, 2, 4});
    // Every password is shown for a while after a delete, each beside its own row.
    EXPECT_EQ(list->readRows(), revealedRows(kept));
    EXPECT_TRUE(list->selectedRows().empty());

    kavo->command(IDC_CMD_SAVE);
    expectStored(dir, kept);
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(Store, DeleteOrMoveWithoutASelectionAsksForOneAndChangesNothing) {
    const std::vector<Entry> entries = numberedEntries(3);
    startWith(entries);

    for (const int command : {IDC_CMD_DELETE, IDC_CMD_MOVE_UP, IDC_CMD_MOVE_DOWN}) {
        list->selectRows({});
        kavo->command(command);
        expectBox(kavo->answerNext(IDOK), kNoSelection);
        EXPECT_EQ(list->readRows(), maskedRows(entries)) << "command " << command;
    }
    // Nothing changed, so nothing is waiting to be saved.
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(Store, MovedRowsTakeTheirPasswordsAlongAndASelectedBlockKeepsItsOrder) {
    const std::vector<Entry> entries = numberedEntries(5);
    startWith(entries);

    struct Step {
        std::vector<int> selected;
        int command;
        std::vector<int> order; // entry indices from the top afterwards
    };
    const Step steps[] = {
        {{2, 3}, IDC_CMD_MOVE_UP, {0, 2, 3, 1, 4}},
        {{1, 2}, IDC_CMD_MOVE_DOWN, {0, 1, 2, 3, 4}},
        {{2, 3}, IDC_CMD_MOVE_DOWN, {0, 1, 4, 2, 3}},
        // A block at the bottom, or a row at the top, has nowhere to go.
        {{3, 4}, IDC_CMD_MOVE_DOWN, {0, 1, 4, 2, 3}},
        {{0}, IDC_CMD_MOVE_UP, {0, 1, 4, 2, 3}},
    };
    for (const Step& step : steps) {
        list->selectRows(step.selected);
        kavo->command(step.command);
        EXPECT_EQ(list->readRows(), revealedRows(pick(entries, step.order)))
            << "moving " << ::testing::PrintToString(step.selected)
            << (step.command == IDC_CMD_MOVE_UP ? " up" : " down");
        EXPECT_TRUE(list->selectedRows().empty());
    }

    kavo->command(IDC_CMD_SAVE);
    expectStored(dir, pick(entries, {0, 1, 4, 2, 3}));
}

TEST_F(Store, AMoveThatChangesNothingStillNeedsSavingAndTheRevealEndsByItself) {
    const std::vector<Entry> entries = numberedEntries(2);
    SettingsRecord settings = passModeSettings();
    // Short, yet long enough to read the revealed rows right after the move.
    constexpr std::int32_t kShortRevealMs = 1000;
    constexpr DWORD kMaskTimeoutMs = 10000;
    constexpr DWORD kPollMs = 20;
    settings.pwShowMs = kShortRevealMs;
    startWith(entries, settings);

    list->selectRows({0});
    kavo->command(IDC_CMD_MOVE_UP);
    std::vector<ShownRow> rows = list->readRows();
    EXPECT_EQ(rows, revealedRows(entries));
    for (DWORD waited = 0; rows != maskedRows(entries) && waited < kMaskTimeoutMs;
         waited += kPollMs) {
        Sleep(kPollMs);
        rows = list->readRows();
    }
    EXPECT_EQ(rows, maskedRows(entries)) << "the passwords stayed revealed";

    kavo->close();
    expectBox(kavo->answerNext(IDNO), kExitPrompt);
    EXPECT_TRUE(kavo->waitForExit());
}

TEST_F(Store, SortingByAColumnKeepsEveryPasswordWithItsRow) {
    std::vector<Entry> entries = numberedEntries(4);
    const std::u16string titles[] = {u"delta", u"Alpha", u"charlie", u"Bravo"};
    const std::u16string ids[] = {u"u2", u"u4", u"u1", u"u3"};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].title = titles[i];
        entries[i].id = ids[i];
    }
    startWith(entries);
    kavo->command(IDC_CMD_REVEAL);

    // The first click on "Name" sorts descending, ignoring case; on "ID", ascending.
    list->clickHeader(0);
    EXPECT_EQ(list->readRows(), revealedRows(pick(entries, {0, 2, 3, 1})));
    list->clickHeader(2);
    EXPECT_EQ(list->readRows(), revealedRows(pick(entries, {2, 0, 3, 1})));
    // Masked and shown again from the passwords kept beside the rows, not from the cells.
    kavo->command(IDC_CMD_REVEAL);
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(pick(entries, {2, 0, 3, 1})));

    kavo->command(IDC_CMD_SAVE);
    expectStored(dir, pick(entries, {2, 0, 3, 1}));
}

TEST_F(Store, ExitPromptCancelKeepsRunningAndYesSavesBothFiles) {
    const std::vector<Entry> entries = numberedEntries(3);
    startWith(entries);
    list->selectRows({0});
    kavo->command(IDC_CMD_DELETE);
    const std::vector<Entry> kept = pick(entries, {1, 2});

    // Every way to end asks first; Cancel leaves everything as it was.
    for (const int command : {IDC_CMD_END, IDC_CMD_TRAY_END}) {
        kavo->command(command);
        expectBox(kavo->answerNext(IDCANCEL), kExitPrompt);
        EXPECT_FALSE(kavo->waitForExit(kKeepsRunningMs)) << "command " << command;
        EXPECT_EQ(list->readRows(), revealedRows(kept));
    }
    expectStored(dir, entries);

    kavo->command(IDC_TB_END);
    expectBox(kavo->answerNext(IDYES), kExitPrompt);
    ASSERT_TRUE(kavo->waitForExit());
    expectStored(dir, kept);
}

TEST_F(Store, ExitPromptNoLeavesTheFilesAsLastSaved) {
    const std::vector<Entry> entries = numberedEntries(3);
    startWith(entries);
    list->selectRows({2});
    kavo->command(IDC_CMD_DELETE);
    kavo->command(IDC_CMD_SAVE);
    list->selectRows({0});
    kavo->command(IDC_CMD_DELETE);

    kavo->close();
    expectBox(kavo->answerNext(IDNO), kExitPrompt);
    ASSERT_TRUE(kavo->waitForExit());
    expectStored(dir, pick(entries, {0, 1}));
}

TEST_F(Store, AReadOnlyListIsReportedKeptWholeAndTheChangesStayUnsaved) {
    const std::vector<Entry> entries = numberedEntries(3);
    startWith(entries);
    const Bytes listBefore = dir.read(kListFile);
    const Bytes passwordsBefore = dir.read(kPasswordFile);
    list->selectRows({1});
    kavo->command(IDC_CMD_DELETE);
    const std::vector<Entry> kept = pick(entries, {0, 2});
    ASSERT_TRUE(SetFileAttributesW(dir.file(kListFile).c_str(), FILE_ATTRIBUTE_READONLY));

    kavo->command(IDC_CMD_SAVE);
    expectBox(kavo->answerNext(IDOK), kListNotSaved);
    kavo->settle();
    EXPECT_EQ(kavo->waitForMessageBox(0), nullptr) << "only the list file should be reported";
    // Neither file changed: the passwords still sit beside the entries they belong to.
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listBefore));
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), passwordsBefore));
    EXPECT_EQ(dir.names(),
              (std::vector<std::wstring>{L"pw_set1.dat", L"pw_set2.dat", L"pw_set3.dat"}));

    // The changes are still unsaved, so ending asks; a Yes whose save fails keeps the program.
    kavo->close();
    expectBox(kavo->answerNext(IDYES), kExitPrompt);
    expectBox(kavo->answerNext(IDOK), kListNotSaved);
    EXPECT_FALSE(kavo->waitForExit(kKeepsRunningMs));
    EXPECT_EQ(list->readRows(), revealedRows(kept));

    kavo->close();
    expectBox(kavo->answerNext(IDNO), kExitPrompt);
    ASSERT_TRUE(kavo->waitForExit());
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listBefore));
}

// The 1001st entry cannot be kept: that is said at start, and the first save keeps the list file
// and the password file aside, as the pair they are, before it writes the thousand.
TEST_F(Store, AThousandRowsComeBackWithTheirPasswordsAndTheThousandAndFirstIsKeptAside) {
    constexpr int kTableLimit = 1000;
    const std::vector<Entry> entries = numberedEntries(kTableLimit + 1);
    writeDataFiles(dir, entries, passModeSettings());
    const Bytes fullList = dir.read(kListFile);
    const Bytes passwords = dir.read(kPasswordFile);
    const std::span<const Entry> kept(entries.data(), kTableLimit);
    launch();
    expectBox(kavo->answerNext(IDOK), kOneEntryDropped);
    shown();

    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(kept));

    kavo->command(IDC_CMD_SAVE);
    const MessageBoxText keptBox = kavo->answerNext(IDOK);
    expectStored(dir, kept);
    const std::vector<std::wstring> keptFiles = filesKeptAside(dir);
    ASSERT_EQ(keptFiles.size(), 2u);
    EXPECT_TRUE(keptFiles[0].starts_with(L"pw_set1.dat.as-found-"));
    EXPECT_EQ(keptFiles[1], L"pw_set2" + keptFiles[0].substr(7)) << "one stamp for the pair";
    for (const std::wstring& file : keptFiles) {
        EXPECT_NE(keptBox.text.find(file), std::wstring::npos) << "the message names it";
    }
    EXPECT_TRUE(sameListFile(dir.read(keptFiles[0]), fullList));
    EXPECT_EQ(dir.read(keptFiles[1]), passwords);

    // Only the first save keeps a copy: the files now hold what this run wrote.
    kavo->command(IDC_CMD_SAVE);
    EXPECT_EQ(kavo->waitForMessageBox(0), nullptr);
    EXPECT_EQ(filesKeptAside(dir).size(), 2u);
}

// Another program (a virus scanner, a sync client) holding one of the files a crashed save left:
// nothing may be read or saved until the old pair is back.
TEST_F(Store, AHeldSideFileStopsTheLoadRefusesSavingAndTheNextStartPutsTheOldPairBack) {
    const std::vector<Entry> oldEntries = numberedEntries(30);
    writeDataFiles(dir, oldEntries, passModeSettings());
    const Bytes oldList = dir.read(kListFile);
    const Bytes oldPasswords = dir.read(kPasswordFile);
    // A save cut short after the new list took its place, before the passwords did.
    const std::vector<Entry> newEntries = pick(oldEntries, {5, 4, 3, 2, 1, 0});
    const std::wstring heldName = L"pw_set1.dat.kavo-1a-2b.old";
    dir.write(heldName, oldList);
    dir.write(kListFile, listFileFor(newEntries));
    dir.write(L"pw_set2.dat.kavo-1a-2b.new", passwordFileFor(kMasterPassword, newEntries));
    HANDLE held = CreateFileW(dir.file(heldName).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    launch();
    const MessageBoxText blocked = kavo->answerNext(IDOK);
    EXPECT_EQ(blocked.caption, L"ﾌｧｲﾙｴﾗｰ");
    EXPECT_NE(blocked.text.find(heldName), std::wstring::npos) << "names the held file";
    shown();
    EXPECT_EQ(list->rowCount(), 0);
    CloseHandle(held);

    kavo->command(IDC_CMD_SAVE);
    const MessageBoxText refused = kavo->answerNext(IDOK);
    EXPECT_NE(refused.text.find(L"保存しません"), std::wstring::npos);
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor(newEntries)));
    EXPECT_TRUE(kavo->endsWithoutAsking());
    launch();
    shown();
    EXPECT_EQ(list->rowCount(), 30);
    EXPECT_TRUE(sameListFile(dir.read(kListFile), oldList));
    EXPECT_TRUE(samePasswordFile(dir.read(kPasswordFile), oldPasswords));
    EXPECT_EQ(dir.names(),
              (std::vector<std::wstring>{L"pw_set1.dat", L"pw_set2.dat", L"pw_set3.dat"}));
}

// A list KAVO cannot read (here UTF-8, as another editor saves it) is not replaced by the empty
// table without a copy of it, and the passwords that belong to it are kept beside it, as they
// were. The same pair is not kept twice.
TEST_F(Store, AnUnreadableListIsKeptAsideWithItsPasswordsAtTheFirstSaveAndOnlyOnce) {
    writeDataFiles(dir, numberedEntries(3), passModeSettings());
    const Bytes passwords = dir.read(kPasswordFile);
    const Bytes utf8List{0xEF, 0xBB, 0xBF, 't', 'i', 't', 'l', 'e', '=', 'a', '\r', '\n'};
    dir.write(kListFile, utf8List);
    launch();
    expectBox(kavo->answerNext(IDOK), {L"ErrorFileRead", L"pw_set1.datがWide文字で有りません!。"});
    shown();

    kavo->command(IDC_CMD_SAVE);
    const MessageBoxText keptBox = kavo->answerNext(IDOK);
    EXPECT_NE(keptBox.text.find(L"一緒に"), std::wstring::npos) << "they go back together";
    const std::vector<std::wstring> kept = filesKeptAside(dir);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(dir.read(kept[0]), utf8List);
    EXPECT_EQ(dir.read(kept[1]), passwords);
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor({})));
    ASSERT_TRUE(kavo->endsWithoutAsking());

    // The same unreadable pair at the next start is not copied again.
    dir.write(kListFile, utf8List);
    dir.write(kPasswordFile, passwords);
    launch();
    kavo->answerNext(IDOK);
    shown();
    kavo->command(IDC_CMD_SAVE);
    EXPECT_NE(kavo->answerNext(IDOK).text.find(kept[0]), std::wstring::npos);
    EXPECT_EQ(filesKeptAside(dir), kept);
}

} // namespace
} // namespace kavo::e2e

namespace kavo::e2e {
namespace {

// Another tool's export brought in through the real dialogs: the preview says what is added and
// what is left out, ＯＫ adds the rows as unsaved changes, a save keeps them over a restart, and
// the export of the whole table reads back as the same rows.
TEST_F(Store, ACsvImportIsPreviewedAddedUnsavedKeptBySaveAndExportedAgain) {
    const std::vector<Entry> stored = numberedEntries(2);
    startWith(stored);
    const std::string csv = "\xEF\xBB\xBFname,url,username,password\r\n"
                            "Mail,https://mail.example/,me,pw-1\r\n"
                            "\r\n"
                            "Emoji,,me,\xF0\x9F\x98\x80\r\n"
                            ",https://shop.example/cart,buyer,\"p,\"\"2\"\r\n"
                            "Bank,,user,pw-3\r\n";
    dir.write(L"import.csv", Bytes(csv.begin(), csv.end()));

    kavo->command(IDC_CMD_IMPORT);
    DialogDriver(*kavo, nullptr).chooseFile(dir.file(L"import.csv"));
    expectBox(kavo->answerNext(IDYES),
              {L"CSVインポート",
               L"「import.csv」から 3 件を、表の最後に追加します。\n\n"
               L"追加しない行: 2 件\n"
               L"・保存できない文字を含むか、長すぎるパスワード: 1 件\n"
               L"・空の行: 1 件\n\n"
               L"追加しない行（初めの 5 行まで）:\n"
               L"・3行目 （タイトルなし）\n"
               L"・4行目 「Emoji」\n\n"
               L"「はい」で追加します。追加した項目は「データ保存」か終了時の保存で"
               L"ファイルに書かれます。\n"
               L"列の読み取りが違うときは、「いいえ」で読み込む列を選び直せます。"});
    std::vector<Entry> all = stored;
    all.push_back({u"Mail", u"B", u"me", u"pw-1"});
    all.push_back({u"shop.example", u"B", u"buyer", u"p,\"2"});
    all.push_back({u"Bank", u"B", u"user", u"pw-3"});
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(all));
    EXPECT_TRUE(sameListFile(dir.read(kListFile), listFileFor(stored))) << "saved before asked";

    kavo->command(IDC_CMD_SAVE);
    ASSERT_TRUE(kavo->endsWithoutAsking());
    launch();
    shown();
    EXPECT_EQ(list->readRows(), maskedRows(all));

    kavo->command(IDC_CMD_EXPORT);
    EXPECT_EQ(kavo->answerNext(IDOK).caption, L"CSVエクスポート");
    DialogDriver(*kavo, nullptr).chooseFile(dir.file(L"export.csv"));
    EXPECT_EQ(kavo->answerNext(IDOK).text, L"5 件を書き出しました。\n" + dir.file(L"export.csv"));
    const Bytes exported = dir.read(L"export.csv");
    const std::string text(exported.begin(), exported.end());
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFtitle,type,id,password\r\n"));
    EXPECT_TRUE(text.ends_with("shop.example,B,buyer,\"p,\"\"2\"\r\nBank,B,user,pw-3\r\n"));
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

// A file whose header KAVO does not know, separated by semicolons, goes through the column
// picker: it starts at the guess by the values, never shows a password, refuses choices that read
// no entry, and the preview's いいえ leads back to it.
TEST_F(Store, AnUnknownCsvGoesThroughTheColumnPickerToThePreview) {
    startWith({});
    const std::string csv = "Konto;Adresse;Benutzer;Kennwort\r\n"
                            "Mail;https://mail.example/;me@mail.example;Xk3!pq9Lz\r\n"
                            "Bank;https://bank.example/;banker;Bq7$rT2mWn\r\n";
    dir.write(L"other.csv", Bytes(csv.begin(), csv.end()));

    kavo->command(IDC_CMD_IMPORT);
    DialogDriver(*kavo, nullptr).chooseFile(dir.file(L"other.csv"));
    {
        DialogDriver picker(*kavo, L"読み込む列の選択");
        EXPECT_TRUE(picker.isChecked(IDC_COLUMNS_FIRST_HEADER));
        EXPECT_EQ(picker.text(IDC_COLUMNS_TITLE), L"1列目 (Konto)");
        EXPECT_EQ(picker.text(IDC_COLUMNS_ID), L"3列目 (Benutzer)");
        EXPECT_EQ(picker.text(IDC_COLUMNS_PASSWORD), L"4列目 (Kennwort)");
        EXPECT_EQ(picker.text(IDC_COLUMNS_URL), L"2列目 (Adresse)");
        EXPECT_EQ(picker.text(IDC_COLUMNS_TYPE), L"なし");
        // Without a header row the lists show first values, but never the password's.
        picker.press(IDC_COLUMNS_FIRST_HEADER);
        EXPECT_EQ(picker.text(IDC_COLUMNS_TITLE), L"1列目 (Konto)");
        EXPECT_EQ(picker.text(IDC_COLUMNS_PASSWORD), L"4列目");
        picker.press(IDC_COLUMNS_FIRST_HEADER);

        picker.choose(IDC_COLUMNS_PASSWORD, 0);
        picker.press(IDOK);
        EXPECT_NE(kavo->answerNext(IDOK).text.find(L"パスワードの列"), std::wstring::npos);
        ASSERT_TRUE(picker.isOpen());
        picker.choose(IDC_COLUMNS_PASSWORD, 4);
        picker.press(IDOK);
        EXPECT_TRUE(picker.waitUntilClosed());
    }
    const MessageBoxText preview = kavo->answerNext(IDNO);
    EXPECT_NE(preview.text.find(L"「other.csv」から 2 件"), std::wstring::npos) << "header skipped";
    {
        // The guess was wrong after all: the titles come from the URLs' hosts.
        DialogDriver picker(*kavo, L"読み込む列の選択");
        EXPECT_EQ(picker.text(IDC_COLUMNS_PASSWORD), L"4列目 (Kennwort)") << "the choices kept";
        picker.choose(IDC_COLUMNS_TITLE, 0);
        picker.press(IDOK);
    }
    kavo->answerNext(IDYES);
    const std::vector<Entry> added{{u"mail.example", u"B", u"me@mail.example", u"Xk3!pq9Lz"},
                                   {u"bank.example", u"B", u"banker", u"Bq7$rT2mWn"}};
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(added));
}

} // namespace
} // namespace kavo::e2e
