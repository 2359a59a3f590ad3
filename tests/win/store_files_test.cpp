#include "app/app_state_win.h"
#include "store/ansi_codec_win.h"
#include "store/decimal_text.h"
#include "store/store_files_win.h"
#include "tests/support/list_view_window.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

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
constexpr int kReadCapacity = 256;
constexpr wchar_t kOpenFailureText[] = L"ﾌｧｲﾙが開けません";
constexpr wchar_t kOpenFailureCaption[] = L"ﾌｧｲﾙｴﾗｰ";

struct Entry {
    std::u16string title;
    std::u16string type;
    std::u16string id;
    std::u16string password;
};

// An App as the main window sets it up, over a real list view in a hidden window of its own.
class StoreApp {
  public:
    explicit StoreApp(const std::wstring& dataDirectory) {
        app.mainWindow = window.window();
        app.listView = window.listView();
        app.dataDirectory = dataDirectory;
        app.rows = std::make_unique<ListViewRows>(app.listView);
        app.table = std::make_unique<EntryTable>(*app.rows, app.slots, app.tableHost, app.dirty);
    }

    void add(const Entry& entry) {
        const int row = app.rows->rowCount();
        app.table->buildRow(row, entry.title, entry.type, entry.id);
        app.slots.set(row, entry.password);
    }

    std::u16string cell(int row, int cell) const {
        return app.rows->cellText(row, cell, kReadCapacity);
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
std::vector<Entry> thousandEntries() {
    std::vector<Entry> entries;
    const std::u16string types = u"BTVW";
    for (int i = 0; i < kMaxRows; ++i) {
        const std::u16string n = formatInt(i);
        Entry entry;
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

std::u16string listFileLines(const std::vector<Entry>& entries) {
    std::u16string text;
    for (const Entry& entry : entries) {
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
    ASSERT_EQ(codec.toAnsi(u"パ"), "\x83\x70") << "the tests run with LANG=ja_JP.UTF-8 (cp 932)";
    const std::vector<Entry> entries = thousandEntries();
    const std::u16string master = u"マスターPW";
    ASSERT_TRUE(isStorablePassword(master, codec));
    for (std::size_t row = 0; row < entries.size(); ++row) {
        ASSERT_TRUE(isStorablePassword(entries[row].password, codec)) << "row " << row;
    }

    TempDirectory dir;
    StoreApp saved(dir.path());
    for (const Entry& entry : entries) {
        saved.add(entry);
    }
    ASSERT_TRUE(saved.app.table->isFull());
    // A row beyond the slots, put straight into the control, is never written.
    saved.app.rows->insertRow(kMaxRows, u"1001番目", kMaxRows);
    saved.app.masterPassword = master;
    saved.app.dirty = true;

    ASSERT_TRUE(saved.save());
    EXPECT_FALSE(saved.app.dirty);
    const Bytes listBytes = dir.read(L"pw_set1.dat");
    const Bytes passwordBytes = dir.read(L"pw_set2.dat");
    EXPECT_EQ(listBytes, encodeTextFile(listFileLines(entries)));
    EXPECT_EQ(passwordBytes.size(), kExpectedPasswordFileSize);
    EXPECT_FALSE(dir.exists(L"pw_set1.dat.new"));
    EXPECT_FALSE(dir.exists(L"pw_set2.dat.new"));

    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.app.masterPassword, master);
    ASSERT_EQ(loaded.app.rows->rowCount(), kMaxRows);
    for (int row = 0; row < kMaxRows; ++row) {
        const Entry& entry = entries[static_cast<std::size_t>(row)];
        ASSERT_EQ(loaded.cell(row, kCellTitle), storedText(entry.title)) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellType), entry.type) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellId), entry.id) << "row " << row;
        ASSERT_EQ(loaded.cell(row, kCellPw), kMaskText) << "row " << row;
        ASSERT_EQ(loaded.app.rows->itemData(row), row);
        ASSERT_EQ(loaded.app.slots.at(row), entry.password) << "row " << row;
    }
    EXPECT_FALSE(loaded.app.dirty);

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
    loaded.app.slots.set(kMaxRows - 1, u"last");
    loaded.app.masterPassword = u"old-master";
    loaded.load();
    EXPECT_EQ(loaded.app.rows->rowCount(), 0);
    EXPECT_EQ(loaded.app.masterPassword, u"");
    EXPECT_EQ(loaded.app.slots.at(0), u"");
    EXPECT_EQ(loaded.app.slots.at(kMaxRows - 1), u"");
}

TEST(StoreFiles, AReadOnlyListKeepsTheChangesUnsavedButThePasswordsAreWritten) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"W", u"me", u"old"});
    ASSERT_TRUE(store.save());
    const Bytes listBefore = dir.read(L"pw_set1.dat");

    store.app.slots.set(0, u"new");
    store.app.rows->setCellText(0, kCellTitle, u"銀行2");
    store.app.dirty = true;
    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<MessageBoxAnswerer::Box> boxes;
    {
        MessageBoxAnswerer answerer;
        EXPECT_FALSE(store.save());
        boxes = answerer.boxes();
    }
    expectOpenFailures(boxes, 1, store.window.window());
    EXPECT_TRUE(store.app.dirty);
    EXPECT_EQ(dir.read(L"pw_set1.dat"), listBefore);

    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.cell(0, kCellTitle), u"銀行");
    EXPECT_EQ(loaded.app.slots.at(0), u"new");
}

TEST(StoreFiles, ExitPromptWritesOnlyOnYesAndKeepsRunningOnCancelOrAFailedSave) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"W", u"me", u"old"});
    ASSERT_TRUE(store.save());
    const Bytes passwordsBefore = dir.read(L"pw_set2.dat");
    store.app.slots.set(0, u"new");

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

    store.app.dirty = true;
    std::tie(mayClose, boxes) = exitAnswering({IDCANCEL});
    EXPECT_FALSE(mayClose);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"強制終了");
    EXPECT_EQ(boxes[0].text, L"データー保存後に終了しますか？。");
    EXPECT_EQ(boxes[0].owner, store.window.window());
    EXPECT_TRUE(store.app.dirty);

    std::tie(mayClose, boxes) = exitAnswering({IDNO});
    EXPECT_TRUE(mayClose);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwordsBefore);

    // Yes, but the list cannot be replaced: the prompt stays armed for the next try.
    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    std::tie(mayClose, boxes) = exitAnswering({IDYES});
    EXPECT_FALSE(mayClose);
    ASSERT_EQ(boxes.size(), 2u);
    expectOpenFailures({boxes[1]}, 1, store.window.window());
    EXPECT_TRUE(store.app.dirty);

    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::tie(mayClose, boxes) = exitAnswering({IDYES});
    EXPECT_TRUE(mayClose);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(store.app.dirty);
    StoreApp loaded(dir.path());
    loaded.load();
    EXPECT_EQ(loaded.app.slots.at(0), u"new");
}

TEST(StoreFiles, LoadReportsEachFileItCannotUseAndKeepsWhatItCouldRead) {
    TempDirectory dir;
    StoreApp store(dir.path());
    store.add({u"銀行", u"T", u"me", u"secret"});
    store.app.masterPassword = u"master";

    // No files at all: the password file and the list are each reported.
    std::vector<MessageBoxAnswerer::Box> boxes;
    {
        MessageBoxAnswerer answerer;
        store.load();
        boxes = answerer.boxes();
    }
    expectOpenFailures(boxes, 2, store.window.window());
    EXPECT_EQ(store.app.rows->rowCount(), 0);
    EXPECT_EQ(store.app.masterPassword, u"");
    EXPECT_EQ(store.app.slots.at(0), u"");

    // Passwords without a list: the slots are filled, the table stays empty.
    StoreApp writer(dir.path());
    writer.add({u"銀行", u"T", u"me", u"secret"});
    writer.app.masterPassword = u"master";
    ASSERT_TRUE(writer.save());
    const Bytes listBytes = dir.read(L"pw_set1.dat");
    DeleteFileW(dir.file(L"pw_set1.dat").c_str());
    {
        MessageBoxAnswerer answerer;
        store.load();
        boxes = answerer.boxes();
    }
    expectOpenFailures(boxes, 1, store.window.window());
    EXPECT_EQ(store.app.rows->rowCount(), 0);
    EXPECT_EQ(store.app.masterPassword, u"master");
    EXPECT_EQ(store.app.slots.at(0), u"secret");

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
    EXPECT_EQ(store.app.rows->rowCount(), 1);
    EXPECT_EQ(store.cell(0, kCellType), u"T");
    EXPECT_EQ(store.app.masterPassword, u"");
    EXPECT_EQ(store.app.slots.at(0), u"");
}

} // namespace
} // namespace kavo
