// Data folders that a sync client shares between PCs, driven through KAVO.exe: a save that finds
// the files changed since they were read asks first and keeps the other pair aside, that pair is
// taken in through the merge command, an idle KAVO follows a synced change by itself, and every
// save leaves a generation of the pair it replaced, ten of them at most.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kChangedCaption[] = L"データファイルの変更";
constexpr wchar_t kMergeCaption[] = L"ほかの KAVO データから取り込み";
// Two seconds of stillness and a few looks after them, with room for a busy machine.
constexpr DWORD kFollowsWithinMs = 10000;

// What a sync client does: a file arrives over the one there. A write that meets KAVO reading
// the file at that moment is tried again, as a sync client does.
void syncWrite(const TempDirectory& to, const wchar_t* name, const Bytes& bytes) {
    for (int attempt = 0; attempt < 50 && to.read(name) != bytes; ++attempt) {
        Sleep(attempt == 0 ? 0 : 20);
        to.write(name, bytes);
    }
    ASSERT_EQ(to.read(name), bytes) << "the sync step could not write " << name;
}

// The other PC's files arrive over these ones.
void syncFiles(const TempDirectory& from, const TempDirectory& to) {
    for (const wchar_t* name : {kListFile, kPasswordFile}) {
        syncWrite(to, name, from.read(name));
    }
}

std::vector<std::wstring> namesContaining(const TempDirectory& dir, const std::wstring& part) {
    std::vector<std::wstring> found;
    for (const std::wstring& name : dir.names()) {
        if (name.find(part) != std::wstring::npos) {
            found.push_back(name);
        }
    }
    return found;
}

// Started in a folder of the entries, shown, with nothing said at start.
struct Running {
    explicit Running(std::span<const Entry> entries) {
        writeDataFiles(dir, entries, passModeSettings());
        kavo.emplace(dir.path());
        kavo->shownWindow();
        EXPECT_EQ(kavo->waitForMessageBox(0), nullptr) << "a message appeared at start";
        list.emplace(*kavo);
    }
    TempDirectory dir;
    std::optional<Kavo> kavo;
    std::optional<ListDriver> list;
};

TEST(SyncedFolder, ASecondSaveAsksKeepsTheOtherPairAndTheMergeBringsBothSetsTogether) {
    const std::vector<Entry> entries = numberedEntries(3);
    Running pcA(entries);
    Running pcB(entries);
    const Entry news{u"News", u"B", u"reader", u"n3ws-Pass"};

    // PC A adds an entry and saves; PC B, running since before, moves one meanwhile.
    enterEntry(*pcA.kavo, IDC_CMD_ADD, news, 0);
    pcA.kavo->command(IDC_CMD_SAVE);
    pcB.list->selectRows({2});
    pcB.kavo->command(IDC_CMD_MOVE_UP);
    syncFiles(pcA.dir, pcB.dir);

    pcB.kavo->command(IDC_CMD_SAVE);
    const MessageBoxText asked = pcB.kavo->answerNext(IDYES);
    EXPECT_EQ(asked.caption, kChangedCaption);
    EXPECT_NE(asked.text.find(L"・pw_set1.dat：内容が変わりました"), std::wstring::npos);
    const std::vector<std::wstring> otherPair = namesContaining(pcB.dir, L".other-");
    ASSERT_EQ(otherPair.size(), 2u) << "the other version is kept as a whole pair";
    EXPECT_NE(pcB.kavo->answerNext(IDOK).text.find(otherPair[0]), std::wstring::npos);
    // The save itself comes once the notice is answered.
    pcB.kavo->settle();
    const std::vector<Entry> moved = pick(entries, {0, 2, 1});
    EXPECT_EQ(pcB.dir.read(kListFile), listFileFor(moved));
    EXPECT_EQ(pcB.dir.read(otherPair[0]).size(), pcA.dir.read(kListFile).size())
        << ::testing::PrintToString(pcB.dir.names());
    EXPECT_EQ(pcB.dir.read(otherPair[0]), pcA.dir.read(kListFile));
    EXPECT_EQ(pcB.dir.read(otherPair[1]), pcA.dir.read(kPasswordFile));

    // The kept pair taken in: A's new entry joins B's order; the three the same are counted.
    pcB.kavo->command(IDC_CMD_MERGE);
    DialogDriver(*pcB.kavo, nullptr).chooseFile(pcB.dir.file(otherPair[0]));
    DialogDriver preview(*pcB.kavo, kMergeCaption);
    const std::wstring summary = preview.text(IDC_MERGE_SUMMARY);
    EXPECT_NE(summary.find(L"新しい項目：1 件"), std::wstring::npos) << summary;
    EXPECT_NE(summary.find(L"違う項目：0 件"), std::wstring::npos) << summary;
    EXPECT_NE(summary.find(L"同じ項目：3 件"), std::wstring::npos) << summary;
    preview.press(IDC_MERGE_OK);
    std::vector<Entry> both = moved;
    both.push_back(news);
    // The moved rows still show their passwords from the move; the new one comes in masked.
    std::vector<ShownRow> shown = revealedRows(moved);
    shown.push_back(maskedRows(std::vector<Entry>{news}).front());
    EXPECT_EQ(pcB.list->readRows(), shown);

    // B's own save wrote what is on disk now: the next one asks nothing.
    pcB.kavo->command(IDC_CMD_SAVE);
    pcB.kavo->settle();
    EXPECT_EQ(pcB.kavo->waitForMessageBox(0), nullptr);
    EXPECT_EQ(pcB.dir.read(kListFile), listFileFor(both));
    EXPECT_EQ(pcB.dir.read(kPasswordFile), passwordFileFor(kMasterPassword, both));
    EXPECT_TRUE(pcB.kavo->endsWithoutAsking());
    EXPECT_TRUE(pcA.kavo->endsWithoutAsking());
}

TEST(SyncedFolder, AnIdleKavoFollowsASyncedChangeAndOneWithUnsavedChangesAsksOnlyAtItsSave) {
    const std::vector<Entry> entries = numberedEntries(3);
    Running pc(entries);
    pc.list->selectRows({1});

    // Another PC inserted an entry at the top: the list follows, the selected entry stays selected.
    std::vector<Entry> synced = entries;
    synced.insert(synced.begin(), Entry{u"Top", u"T", u"first", u"t0p-Pass"});
    syncWrite(pc.dir, kListFile, listFileFor(synced));
    syncWrite(pc.dir, kPasswordFile, passwordFileFor(kMasterPassword, synced));
    for (DWORD waited = 0; pc.list->rowCount() != 4 && waited < kFollowsWithinMs; waited += 100) {
        Sleep(100);
    }
    EXPECT_EQ(pc.list->readRows(), maskedRows(synced));
    EXPECT_EQ(pc.list->selectedRows(), std::vector<int>{2});
    EXPECT_EQ(pc.kavo->waitForMessageBox(0), nullptr);

    // With unsaved changes a newer copy waits for the user's save or exit.
    pc.list->selectRows({3});
    pc.kavo->command(IDC_CMD_MOVE_UP);
    const std::vector<Entry> ours = pick(synced, {0, 1, 3, 2});
    const std::vector<Entry> theirs = pick(synced, {1, 2, 3});
    syncWrite(pc.dir, kListFile, listFileFor(theirs));
    syncWrite(pc.dir, kPasswordFile, passwordFileFor(kMasterPassword, theirs));
    Sleep(4000);
    EXPECT_EQ(pc.list->readRows(), revealedRows(ours)); // a move shows the passwords a while
    EXPECT_EQ(pc.kavo->waitForMessageBox(0), nullptr) << "nothing interrupts the user";

    // The exit prompt's はい checks as the save does; キャンセル there keeps everything.
    pc.kavo->close();
    EXPECT_EQ(pc.kavo->answerNext(IDYES).caption, L"強制終了");
    EXPECT_EQ(pc.kavo->answerNext(IDCANCEL).caption, kChangedCaption);
    pc.kavo->settle();
    EXPECT_TRUE(pc.kavo->isRunning());
    EXPECT_EQ(pc.dir.read(kListFile), listFileFor(theirs));

    // いいえ takes their version, after keeping ours aside as a pair, and the program ends.
    pc.kavo->close();
    EXPECT_EQ(pc.kavo->answerNext(IDYES).caption, L"強制終了");
    EXPECT_EQ(pc.kavo->answerNext(IDNO).caption, kChangedCaption);
    const std::vector<std::wstring> keptOurs = namesContaining(pc.dir, L".unsaved-");
    ASSERT_EQ(keptOurs.size(), 2u);
    EXPECT_NE(pc.kavo->answerNext(IDOK).text.find(keptOurs[0]), std::wstring::npos);
    ASSERT_TRUE(pc.kavo->waitForExit());
    EXPECT_EQ(pc.dir.read(keptOurs[0]), listFileFor(ours));
    EXPECT_EQ(pc.dir.read(keptOurs[1]), passwordFileFor(kMasterPassword, ours));
    EXPECT_EQ(pc.dir.read(kListFile), listFileFor(theirs));
}

// KAVO's generations in the backup folder, apart from what the user keeps there.
std::set<std::wstring> generations(const TempDirectory& dir,
                                   const std::set<std::wstring>& usersOwn) {
    std::set<std::wstring> found;
    for (const std::wstring& name : TempDirectory::namesIn(dir.file(L"KAVO-backup"))) {
        if (!usersOwn.contains(name)) {
            found.insert(name);
        }
    }
    return found;
}

TEST(SyncedFolder, TenSavesKeepTenGenerationsAndTheEleventhRemovesOnlyTheOldest) {
    TempDirectory dir;
    const std::vector<Entry> entries = numberedEntries(2);
    writeDataFiles(dir, entries, passModeSettings());
    dir.write(L"pw_set1-OTHER-PC.dat", listFileFor(entries));
    // What the user put into the backup folder is never KAVO's to remove.
    CreateDirectoryW(dir.file(L"KAVO-backup").c_str(), nullptr);
    CreateDirectoryW(dir.file(L"KAVO-backup\\20000101-000000").c_str(), nullptr);
    dir.write(L"KAVO-backup\\20000101-000000\\notes.txt", Bytes{'n'});
    CreateDirectoryW(dir.file(L"KAVO-backup\\my copies").c_str(), nullptr);
    const std::set<std::wstring> usersOwn{L"20000101-000000", L"my copies"};

    Kavo kavo(dir.path());
    const MessageBoxText named = kavo.answerNext(IDOK);
    EXPECT_EQ(named.caption, L"同期ソフトが作ったコピー");
    EXPECT_NE(named.text.find(dir.file(L"pw_set1-OTHER-PC.dat")), std::wstring::npos);
    kavo.shownWindow();

    kavo.command(IDC_CMD_SAVE);
    const std::set<std::wstring> first = generations(dir, usersOwn);
    ASSERT_EQ(first.size(), 1u);
    const std::wstring oldest = *first.begin();
    EXPECT_EQ(dir.read(L"KAVO-backup\\" + oldest + L"\\pw_set1.dat"), listFileFor(entries));
    EXPECT_EQ(dir.read(L"KAVO-backup\\" + oldest + L"\\pw_set2.dat"),
              passwordFileFor(kMasterPassword, entries));
    for (int save = 2; save <= 10; ++save) {
        kavo.command(IDC_CMD_SAVE);
    }
    const std::set<std::wstring> ten = generations(dir, usersOwn);
    EXPECT_EQ(ten.size(), 10u);

    kavo.command(IDC_CMD_SAVE);
    kavo.settle();
    EXPECT_EQ(kavo.waitForMessageBox(0), nullptr);
    const std::set<std::wstring> after = generations(dir, usersOwn);
    EXPECT_EQ(after.size(), 10u);
    EXPECT_FALSE(after.contains(oldest));
    for (const std::wstring& kept : ten) {
        EXPECT_TRUE(kept == oldest || after.contains(kept)) << "removed " << kept.size();
    }
    for (const std::wstring& own : usersOwn) {
        EXPECT_TRUE(dir.exists(L"KAVO-backup\\" + own));
    }
    EXPECT_TRUE(dir.exists(L"KAVO-backup\\20000101-000000\\notes.txt"));
    EXPECT_TRUE(dir.exists(L"pw_set1-OTHER-PC.dat")) << "a sync client's copy is never removed";
    EXPECT_TRUE(kavo.endsWithoutAsking());
}

} // namespace
} // namespace kavo::e2e
