#include "app/app_state_win.h"
#include "app/store_files_win.h"
#include "store/ansi_codec_win.h"
#include "store/decimal_text.h"
#include "tests/support/list_view_window.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kavo {
namespace {

using testing::MessageBoxAnswerer;
using testing::TempDirectory;

constexpr std::size_t kExpectedPasswordFileSize = 128'130;
constexpr wchar_t kOpenFailureText[] = L"ﾌｧｲﾙが開けません";
constexpr wchar_t kOpenFailureCaption[] = L"ﾌｧｲﾙｴﾗｰ";

struct SavedEntry {
    std::u16string title;
    std::u16string type;
    std::u16string id;
    std::u16string password;
};

// An App as the main window sets it up, over a real list view in a hidden window of its own.
class StoreApp {
  public:
    explicit StoreApp(const std::wstring& dataDirectory) {
        app.attachWindow(window.window(), window.listView());
        app.dataStore.useFolder(dataDirectory);
    }

    void add(const SavedEntry& entry) {
        app.table->insertEntry(
            app.table->rowCount(),
            Entry{entry.title, EntryType::fromText(entry.type), entry.id, entry.password});
    }

    std::u16string cell(int row, int cell) const {
        return std::u16string(app.table->cellText(row, cell));
    }

    bool save() { return saveStore(app, window.window()); }
    void load() { loadStore(app, window.window()); }
    bool exit() { return confirmExit(app, window.window()); }

    testing::ListViewWindow window;
    App app;
};

// Japanese titles and IDs; passwords of printable ASCII, or of katakana whose code page 932
// bytes all lie in the password file's storable range. Some titles are longer than the file
// keeps and some entries have no type letter.
std::vector<SavedEntry> thousandEntries() {
    std::vector<SavedEntry> entries;
    const std::u16string types = u"BTVW";
    for (int i = 0; i < kMaxRows; ++i) {
        const std::u16string n = formatInt(i);
        SavedEntry entry;
        entry.title = u"口座 " + n + (i % 100 == 0 ? std::u16string(200, u'長') : u"");
        entry.type = i % 250 == 7 ? u"" : std::u16string(1, types[static_cast<std::size_t>(i % 4)]);
        entry.id = u"ユーザー" + n + u"@例.jp";
        entry.password = i % 3 == 0 ? u"パスワード" + n : u"p@ss~ " + n + u" {|}";
        entries.push_back(entry);
    }
    return entries;
}

std::u16string storedText(const std::u16string& text) {
    return text.substr(0, kStoredTextUnits);
}

std::u16string listFileLines(const std::vector<SavedEntry>& entries) {
    std::u16string text;
    for (const SavedEntry& entry : entries) {
        text += u"title=" + storedText(entry.title) + u"\r\n";
        text += u"type=" + entry.type + u"\r\n";
        text += u"id=" + entry.id + u"\r\n";
    }
    return text;
}

void expectOpenFailures(const std::vector<MessageBoxAnswerer::Box>& boxes, std::size_t count,
                        HWND owner) {
    ASSERT_EQ(boxes.size(), count);
    for (const MessageBoxAnswerer::Box& box : boxes) {
        EXPECT_EQ(box.caption, kOpenFailureCaption);
        EXPECT_EQ(box.text, kOpenFailureText);
        EXPECT_EQ(box.owner, owner);
    }
}

TEST(StoreFiles, AThousandEntriesSurviveSaveAndLoadInTheThreadCodePage) {
    const ThreadAnsiCodec codec;
    ASSERT_EQ(codec.toAnsi(u"パ").value_or(""), "\x83\x70")
        << "the tests run with LANG=ja_JP.UTF-8 (cp 932)";
    const std::vector<SavedEntry> entries = thousandEntries();
    const std::u16string master = u"マスターPW";
    ASSERT_TRUE(isStorablePassword(master, codec));
    for (std::size_t row = 0; row < entries.size(); ++row) {
        ASSERT_TRUE(isStorablePassword(entries[row].password, codec)) << "row " << row;
    }

    TempDirectory dir;
    StoreApp saved(dir.path());
    for (const SavedEntry& entry : entries) {
        saved.add(entry);
    }
    ASSERT_TRUE(saved.app.table->isFull());
    // The table takes no row beyond the slots.
    saved.app.table->insertEntry(kMaxRows, Entry{u"1001番目", {}, u"i", u"p"});
    saved.app.store.masterPassword.text = master;
    saved.app.store.dirty = true;

    ASSERT_TRUE(saved.save());
    EXPECT_FALSE(saved.app.store.dirty);
    const Bytes listBytes = dir.read(L"pw_set1.dat");
    const Bytes passwordBytes = dir.read(L"pw_set2.dat");
    EXPECT_EQ(listBytes, encodeTextFile(listFileLines(entries)));
    EXPECT_EQ(passwordBytes.size(), kExpectedPasswordFileSize);
    EXPECT_EQ(dir.names(), (std::vector<std::wstring>{L"pw_set1.dat", L"pw_set2.dat"}));

    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.app.store.masterPassword.text, master);
    ASSERT_EQ(loaded.app.table->rowCount(), kMaxRows);
    for (int row = 0; row < kMaxRows; ++row) {
        const SavedEntry& entry = entries[static_cast<std::size_t>(row)];
        ASSERT_EQ(loaded.cell(row, kCellTitle), storedText(entry.title)) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellType), entry.type) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellId), entry.id) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellPw), kMaskText) << "row " << row;
        ASSERT_EQ(loaded.app.store.slots.at(row), entry.password) << "row " << row;
    }
    EXPECT_FALSE(loaded.app.store.dirty);

    // Saved again, what was loaded gives the same bytes.
    ASSERT_TRUE(loaded.save());
    EXPECT_EQ(dir.read(L"pw_set1.dat"), listBytes);
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwordBytes);
}

TEST(StoreFiles, AnEmptyTableSavesTheMarkAloneAndLoadsBackEmpty) {
    TempDirectory dir;
    StoreApp empty(dir.path());
    ASSERT_TRUE(empty.save());
    EXPECT_EQ(dir.read(L"pw_set1.dat"), (Bytes{0xFF, 0xFE}));
    EXPECT_EQ(dir.read(L"pw_set2.dat").size(), kExpectedPasswordFileSize);

    // Whatever was there before the load is gone.
    StoreApp loaded(dir.path());
    loaded.add({u"old", u"B", u"old-id", u"old-pw"});
    loaded.app.store.slots.set(kMaxRows - 1, u"last");
    loaded.app.store.masterPassword.text = u"old-master";
    loaded.load();
    EXPECT_EQ(loaded.app.table->rowCount(), 0);
    EXPECT_EQ(loaded.app.store.masterPassword.text, u"");
    EXPECT_EQ(loaded.app.store.slots.at(0), u"");
    EXPECT_EQ(loaded.app.store.slots.at(kMaxRows - 1), u"");
}

// A folder on one of the small disks the test run mounts ("small" fills up after one password
// file, "ro" shows "rw" read-only), or empty where the run could not mount them.
std::wstring scratchDisk(const wchar_t* name) {
    const char* root = std::getenv("KAVO_SCRATCH_DISKS");
    if (root == nullptr) {
        return {};
    }
    const std::wstring folder = std::wstring(root, root + std::strlen(root)) + L"\\" + name + L"\\";
    const bool ready = GetFileAttributesW((folder + L"ready").c_str()) != INVALID_FILE_ATTRIBUTES;
    return ready ? folder : std::wstring();
}

Bytes readWhole(const std::wstring& path) {
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    std::uint8_t chunk[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof(chunk), &got, nullptr) &&
           got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(file);
    return bytes;
}

// Two entries saved in writeDir; then a store loaded from saveDir (the same folder, or another
// view of it) deletes the first entry and fails to save, since breakIt has broken something.
// The failure is reported once, naming the file; the changes stay unsaved; and the folder still
// holds the two old files and nothing else, so no password sits beside another entry.
void expectAFailedSaveToKeepTheOldPair(const std::wstring& writeDir, const std::wstring& saveDir,
                                       const std::wstring& failingFile,
                                       const std::function<void()>& breakIt,
                                       const std::function<void()>& mendIt) {
    StoreApp writer(writeDir);
    writer.add({u"銀行", u"W", u"me", u"pw-bank"});
    writer.add({u"メール", u"T", u"me2", u"pw-mail"});
    ASSERT_TRUE(writer.save());
    const Bytes list = readWhole(writeDir + L"\\pw_set1.dat");
    const Bytes passwords = readWhole(writeDir + L"\\pw_set2.dat");

    StoreApp store(saveDir);
    store.load();
    ASSERT_EQ(store.app.table->rowCount(), 2);
    store.app.table->selectOnly(0);
    store.app.table->deleteSelectedRows();
    store.app.store.dirty = true;
    breakIt();
    std::vector<MessageBoxAnswerer::Box> boxes;
    {
        MessageBoxAnswerer answerer;
        EXPECT_FALSE(store.save());
        boxes = answerer.boxes();
    }
    mendIt();
    EXPECT_TRUE(store.app.store.dirty);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kOpenFailureCaption);
    EXPECT_TRUE(boxes[0].text.starts_with(failingFile + L"を保存できません。")) << boxes[0].text;
    EXPECT_EQ(readWhole(writeDir + L"\\pw_set1.dat"), list);
    EXPECT_EQ(readWhole(writeDir + L"\\pw_set2.dat"), passwords);
    EXPECT_EQ(TempDirectory::namesIn(writeDir),
              (std::vector<std::wstring>{L"pw_set1.dat", L"pw_set2.dat"}));
}

TEST(StoreFiles, AFailedSaveKeepsBothOldFilesTogetherAndTheChangesUnsaved) {
    {
        SCOPED_TRACE("the list file is read-only");
        TempDirectory dir;
        const std::wstring list = dir.file(L"pw_set1.dat");
        expectAFailedSaveToKeepTheOldPair(
            dir.path(), dir.path(), L"pw_set1.dat",
            [&] { SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY); },
            [&] { SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL); });
    }
    {
        SCOPED_TRACE("another program holds the password file open");
        TempDirectory dir;
        HANDLE held = INVALID_HANDLE_VALUE;
        expectAFailedSaveToKeepTheOldPair(
            dir.path(), dir.path(), L"pw_set2.dat",
            [&] {
                held = CreateFileW(dir.file(L"pw_set2.dat").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            },
            [&] { CloseHandle(held); });
    }
    const std::wstring small = scratchDisk(L"small");
    if (!small.empty()) {
        SCOPED_TRACE("the disk fills up while the password file is written");
        TempDirectory dir(small);
        expectAFailedSaveToKeepTheOldPair(
            dir.path(), dir.path(), L"pw_set2.dat", [] {}, [] {});
    }
    const std::wstring writable = scratchDisk(L"rw");
    const std::wstring readOnly = scratchDisk(L"ro");
    if (!writable.empty() && !readOnly.empty()) {
        SCOPED_TRACE("the data directory is on a read-only disk");
        TempDirectory dir(writable);
        const std::wstring leaf = dir.path().substr(writable.size());
        expectAFailedSaveToKeepTheOldPair(
            dir.path(), readOnly + leaf, L"pw_set1.dat", [] {}, [] {});
    }
    if (small.empty() || writable.empty()) {
        GTEST_SKIP() << "no scratch disks mounted: the full and read-only disks were not tried";
    }
}

TEST(StoreFiles, AGoodSaveKeepsAHiddenListHiddenAndLeftoversNeverBlockIt) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"W", u"me", u"pw-bank"});
    ASSERT_TRUE(store.save());
    ASSERT_TRUE(SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    // Where an earlier version kept its temporary files: a folder, and a file someone holds.
    ASSERT_TRUE(CreateDirectoryW(dir.file(L"pw_set1.dat.new").c_str(), nullptr));
    dir.write(L"pw_set2.dat.new", Bytes{'o', 'l', 'd'});
    HANDLE held = CreateFileW(dir.file(L"pw_set2.dat.new").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);

    store.app.store.slots.set(0, u"changed");
    EXPECT_TRUE(store.save());
    CloseHandle(held);
    RemoveDirectoryW(dir.file(L"pw_set1.dat.new").c_str());
    const DWORD attributes = GetFileAttributesW(dir.file(L"pw_set1.dat").c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);

    // Once it is let go, the leftover copy of the passwords goes at the next start.
    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.app.store.slots.at(0), u"changed");
    // Beside the pair only the generation of the pair the second save replaced.
    EXPECT_EQ(dir.names(),
              (std::vector<std::wstring>{L"KAVO-backup", L"pw_set1.dat", L"pw_set2.dat"}));
}

TEST(StoreFiles, ASaveCutShortBetweenTheTwoFilesIsUndoneAtTheNextStart) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"W", u"me", u"pw-bank"});
    store.add({u"メール", u"T", u"me2", u"pw-mail"});
    ASSERT_TRUE(store.save());
    const Bytes list = dir.read(L"pw_set1.dat");
    const Bytes passwords = dir.read(L"pw_set2.dat");
    // What a crash leaves after the new list is in place and before the passwords follow it.
    dir.write(L"pw_set1.dat.kavo-1c-2b.old", list);
    dir.write(L"pw_set1.dat", encodeTextFile(u"title=メール\r\ntype=T\r\nid=me2\r\n"));
    dir.write(L"pw_set2.dat.kavo-1c-2b.new", Bytes(passwords.size(), 0x20));

    StoreApp loaded(dir.path());
    loaded.load();
    ASSERT_EQ(loaded.app.table->rowCount(), 2);
    EXPECT_EQ(loaded.cell(1, kCellTitle), u"メール");
    EXPECT_EQ(loaded.app.store.slots.at(1), u"pw-mail");
    EXPECT_EQ(dir.read(L"pw_set1.dat"), list);
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwords);
    EXPECT_EQ(dir.names(), (std::vector<std::wstring>{L"pw_set1.dat", L"pw_set2.dat"}));
}

TEST(StoreFiles, ExitPromptWritesOnlyOnYesAndKeepsRunningOnCancelOrAFailedSave) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"W", u"me", u"old"});
    ASSERT_TRUE(store.save());
    const Bytes passwordsBefore = dir.read(L"pw_set2.dat");
    store.app.store.slots.set(0, u"new");

    const auto exitAnswering = [&](std::vector<int> answers) {
        MessageBoxAnswerer answerer(std::move(answers));
        const bool mayClose = store.exit();
        return std::make_pair(mayClose, answerer.boxes());
    };

    // Nothing unsaved: no question.
    bool mayClose = false;
    std::vector<MessageBoxAnswerer::Box> boxes;
    std::tie(mayClose, boxes) = exitAnswering({});
    EXPECT_TRUE(mayClose);
    EXPECT_TRUE(boxes.empty());

    store.app.store.dirty = true;
    std::tie(mayClose, boxes) = exitAnswering({IDCANCEL});
    EXPECT_FALSE(mayClose);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"強制終了");
    EXPECT_EQ(boxes[0].text, L"データー保存後に終了しますか？。");
    EXPECT_EQ(boxes[0].owner, store.window.window());
    EXPECT_TRUE(store.app.store.dirty);

    std::tie(mayClose, boxes) = exitAnswering({IDNO});
    EXPECT_TRUE(mayClose);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwordsBefore);

    // Yes, but the list cannot be replaced: the prompt stays armed for the next try.
    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    std::tie(mayClose, boxes) = exitAnswering({IDYES});
    EXPECT_FALSE(mayClose);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.starts_with(L"pw_set1.datを保存できません。"));
    EXPECT_TRUE(store.app.store.dirty);

    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::tie(mayClose, boxes) = exitAnswering({IDYES});
    EXPECT_TRUE(mayClose);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(store.app.store.dirty);
    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.app.store.slots.at(0), u"new");
}

TEST(StoreFiles, LoadReportsEachFileItCannotUseAndKeepsWhatItCouldRead) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"T", u"me", u"secret"});
    store.app.store.masterPassword.text = u"master";

    // No files at all: the password file and the list are each reported.
    std::vector<MessageBoxAnswerer::Box> boxes;
    {
        MessageBoxAnswerer answerer;
        store.load();
        boxes = answerer.boxes();
    }
    expectOpenFailures(boxes, 2, store.window.window());
    EXPECT_EQ(store.app.table->rowCount(), 0);
    EXPECT_EQ(store.app.store.masterPassword.text, u"");
    EXPECT_FALSE(store.app.store.masterPassword.unknown) << "no file: none set";
    EXPECT_EQ(store.app.store.slots.at(0), u"");

    // Passwords without a list: the slots are filled, the table stays empty.
    StoreApp writer(dir.path());
    writer.add({u"銀行", u"T", u"me", u"secret"});
    writer.app.store.masterPassword.text = u"master";
    ASSERT_TRUE(writer.save());
    const Bytes listBytes = dir.read(L"pw_set1.dat");
    DeleteFileW(dir.file(L"pw_set1.dat").c_str());
    {
        MessageBoxAnswerer answerer;
        store.load();
        boxes = answerer.boxes();
    }
    expectOpenFailures(boxes, 1, store.window.window());
    EXPECT_EQ(store.app.table->rowCount(), 0);
    EXPECT_EQ(store.app.store.masterPassword.text, u"master");
    EXPECT_EQ(store.app.store.slots.at(0), u"secret");

    // A password file without the mark is named; the list is still read.
    dir.write(L"pw_set1.dat", listBytes);
    dir.write(L"pw_set2.dat", Bytes{'p', 'w', '\r', '\n'});
    {
        MessageBoxAnswerer answerer;
        store.load();
        boxes = answerer.boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"ErrorFileRead");
    EXPECT_EQ(boxes[0].text, L"pw_set2.datがWide文字で有りません!。");
    EXPECT_EQ(store.app.table->rowCount(), 1);
    EXPECT_EQ(store.cell(0, kCellType), u"T");
    EXPECT_EQ(store.app.store.masterPassword.text, u"");
    EXPECT_TRUE(store.app.store.masterPassword.unknown);
    EXPECT_EQ(store.app.store.slots.at(0), u"");
    // Saved now, the file would say "none set": refused, and the file stays as it was.
    {
        MessageBoxAnswerer answerer;
        EXPECT_FALSE(store.save());
        boxes = answerer.boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.substr(0, 16), L"pw_set2.datを読み込め");
    EXPECT_EQ(dir.read(L"pw_set2.dat"), (Bytes{'p', 'w', '\r', '\n'}));
}

} // namespace
} // namespace kavo
