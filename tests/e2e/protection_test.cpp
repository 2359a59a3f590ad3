// Data protection through KAVO.exe: a folder switched to either protection, saved, and opened again
// as a user would, with the master password typed into the prompt at start or as the same Windows
// user; and the damaged, mixed and unopenable folders it must neither show nor overwrite.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/input_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kPromptCaption[] = L"マスターパスワード";
constexpr wchar_t kDialogClass[] = L"#32770";
// Deriving the key takes about a second under Wine; the prompt and the window follow it.
constexpr DWORD kPromptTimeoutMs = 10000;
// The container's header: magic, numbers, salt, pair id, nonce and length.
constexpr std::size_t kHeaderBytes = 72;

bool contains(const Bytes& haystack, const Bytes& needle) {
    return !needle.empty() && std::search(haystack.begin(), haystack.end(), needle.begin(),
                                          needle.end()) != haystack.end();
}

// The text as ASCII or UTF-8 bytes (the same for these texts), and as UTF-16LE.
std::vector<Bytes> encodings(std::u16string_view text) {
    Bytes narrow;
    Bytes wide;
    for (const char16_t unit : text) {
        narrow.push_back(static_cast<std::uint8_t>(unit));
        wide.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        wide.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return {narrow, wide};
}

Bytes wholeFile(const std::wstring& path) {
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    std::uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(file);
    return bytes;
}

class Protection : public ::testing::Test {
  protected:
    void SetUp() override { writeDataFiles(dir_, entries_, passModeSettings()); }

    void start() { kavo_ = std::make_unique<Kavo>(dir_.path()); }
    void startShown() {
        start();
        kavo_->shownWindow();
        EXPECT_EQ(kavo_->waitForMessageBox(0), nullptr) << "a message appeared at start";
    }
    // Switches the folder to the protection of the radio and saves it.
    void protectWith(int radio) {
        startShown();
        kavo_->command(IDC_CMD_PROTECTION);
        DialogDriver dialog(*kavo_, L"データの保護");
        EXPECT_EQ(dialog.text(IDC_PROTECTION_ON_DISK), L"今のファイル：スクランブルのみ（互換）");
        EXPECT_TRUE(dialog.isChecked(IDC_PROTECTION_SCRAMBLED));
        dialog.press(radio);
        EXPECT_TRUE(dialog.isChecked(radio));
        dialog.press(IDOK);
        ASSERT_TRUE(dialog.waitUntilClosed());
        {
            kavo_->command(IDC_CMD_PROTECTION);
            DialogDriver again(*kavo_, L"データの保護");
            EXPECT_TRUE(again.isChecked(radio))
                << "the dialog shows the choice the next save writes";
            again.press(IDCANCEL);
            again.waitUntilClosed();
        }
        // The window title stays as the lock makes it.
        EXPECT_EQ(kavo_->title(), L"KAVO  (PASS)");
        kavo_->command(IDC_CMD_SAVE);
        // The save kept the readable pair it replaced as a generation: offered for removal.
        const MessageBoxText offer = kavo_->answerNext(IDYES);
        EXPECT_NE(offer.text.find(dir_.file(L"KAVO-backup\\")), std::wstring::npos) << offer.text;
        EXPECT_EQ(kavo_->waitForMessageBox(500), nullptr);
        EXPECT_EQ(TempDirectory::namesIn(dir_.file(L"KAVO-backup")), std::vector<std::wstring>{});
        ASSERT_TRUE(kavo_->endsWithoutAsking());
    }
    // The prompt at start; what is typed goes to it with real keys.
    HWND prompt() { return kavo_->waitForWindow(kDialogClass, kPromptTimeoutMs, kPromptCaption); }
    void typeIntoPrompt(const std::wstring& typed) {
        HWND box = prompt();
        ASSERT_NE(box, nullptr);
        SetForegroundWindow(box);
        typeText(typed + L"\r");
    }
    // The right password typed: the prompt goes once the key is derived.
    void givePassword() {
        HWND box = prompt();
        typeIntoPrompt(std::wstring(kMasterPassword.begin(), kMasterPassword.end()));
        for (DWORD waited = 0; IsWindow(box) && waited < kPromptTimeoutMs; waited += 20) {
            Sleep(20);
        }
        EXPECT_FALSE(IsWindow(box)) << "the prompt stayed";
    }

    void expectNothingReadable() {
        for (const wchar_t* file : {kListFile, kPasswordFile}) {
            const Bytes bytes = dir_.read(file);
            ASSERT_GE(bytes.size(), kHeaderBytes);
            EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 8, "KAVOENC1"));
            for (const Entry& entry : entries_) {
                for (const std::u16string_view text :
                     {std::u16string_view(entry.title), std::u16string_view(entry.id),
                      std::u16string_view(entry.password)}) {
                    for (const Bytes& form : encodings(text)) {
                        EXPECT_FALSE(contains(bytes, form))
                            << "found in the file of " << entry.title.size() << "-unit title";
                    }
                }
            }
            for (const Bytes& form : encodings(kMasterPassword)) {
                EXPECT_FALSE(contains(bytes, form));
            }
        }
    }
    // The first row is a Button entry: ID, then password, on the clipboard.
    void expectSequencePastes() {
        ListDriver list(*kavo_);
        ASSERT_EQ(list.readRows(), maskedRows(entries_));
        list.selectRows({0});
        kavo_->command(IDC_TB_ID);
        EXPECT_EQ(clipboardText(), entries_[0].id);
        kavo_->command(IDC_TB_PW);
        EXPECT_EQ(clipboardText(), entries_[0].password);
    }
    // The refusal names the files, the window shows no row, and a save is refused.
    void expectRefused(const std::wstring& expectedStart) {
        const MessageBoxText refusal = kavo_->answerNext(IDOK);
        EXPECT_EQ(refusal.text.substr(0, expectedStart.size()), expectedStart) << refusal.text;
        kavo_->shownWindow();
        EXPECT_EQ(ListDriver(*kavo_).rowCount(), 0);
        kavo_->command(IDC_CMD_SAVE);
        EXPECT_NE(kavo_->answerNext(IDOK).text.find(L"保存しません"), std::wstring::npos);
        kavo_->close();
        EXPECT_TRUE(kavo_->waitForExit());
    }

    TempDirectory dir_;
    const std::vector<Entry> entries_ = numberedEntries(3);
    std::unique_ptr<Kavo> kavo_;
};

TEST_F(Protection, MasterPasswordFolderHoldsNothingReadableAndOpensOnlyWithThePassword) {
    protectWith(IDC_PROTECTION_MASTER);
    expectNothingReadable();

    start();
    typeIntoPrompt(L"master-kez");
    HWND wrong = kavo_->waitForOwnedBy(prompt(), kPromptTimeoutMs);
    ASSERT_NE(wrong, nullptr);
    EXPECT_EQ(kavo_->answer(wrong, IDOK).text,
              L"マスターパスワードが違います。もう一度入力してください。");
    givePassword();
    kavo_->shownWindow();
    // Opening does not unlock: pass mode is what these settings make it.
    EXPECT_EQ(kavo_->title(), L"KAVO  (PASS)");
    expectSequencePastes();
    ASSERT_TRUE(kavo_->endsWithoutAsking());

    // キャンセル ends KAVO before anything is shown, and both files stay as they were.
    const Bytes listBefore = dir_.read(kListFile);
    const Bytes passwordsBefore = dir_.read(kPasswordFile);
    start();
    HWND box = prompt();
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDC_MASTER_PROMPT_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDC_MASTER_PROMPT_CANCEL)));
    EXPECT_TRUE(kavo_->waitForExit());
    EXPECT_EQ(dir_.read(kListFile), listBefore);
    EXPECT_EQ(dir_.read(kPasswordFile), passwordsBefore);
}

// Another folder's protected pair is taken in with that pair's master password, not refused.
TEST_F(Protection, AProtectedPairOfAnotherFolderIsTakenInWithItsMasterPassword) {
    protectWith(IDC_PROTECTION_MASTER);
    TempDirectory here;
    const std::vector<Entry> own{Entry{u"Own", u"B", u"me", u"0wn-Pass"}};
    writeDataFiles(here, own, passModeSettings());
    kavo_ = std::make_unique<Kavo>(here.path());
    kavo_->shownWindow();
    kavo_->command(IDC_CMD_MERGE);
    DialogDriver(*kavo_, nullptr).chooseFile(dir_.file(kListFile));
    givePassword();
    DialogDriver preview(*kavo_, L"ほかの KAVO データから取り込み");
    const std::wstring summary = preview.text(IDC_MERGE_SUMMARY);
    EXPECT_NE(summary.find(L"新しい項目：3 件"), std::wstring::npos) << summary;
    preview.press(IDC_MERGE_OK);
    std::vector<Entry> both = own;
    both.insert(both.end(), entries_.begin(), entries_.end());
    EXPECT_EQ(ListDriver(*kavo_).readRows(), maskedRows(both));
    kavo_->command(IDC_CMD_SAVE);
    ASSERT_TRUE(kavo_->endsWithoutAsking());
    EXPECT_EQ(here.read(kPasswordFile), passwordFileFor(kMasterPassword, both));
}

TEST_F(Protection, AFlippedByteIsNamedShowsNothingAndOverwritesNothing) {
    protectWith(IDC_PROTECTION_MASTER);
    Bytes passwords = dir_.read(kPasswordFile);
    passwords[kHeaderBytes + 100] ^= 0x01;
    dir_.write(kPasswordFile, passwords);
    const Bytes listBefore = dir_.read(kListFile);

    start();
    givePassword();
    expectRefused(dir_.file(kPasswordFile) + L"\nを開けません。");
    EXPECT_EQ(dir_.read(kListFile), listBefore);
    EXPECT_EQ(dir_.read(kPasswordFile), passwords);
}

TEST_F(Protection, WindowsUserFolderOpensWithoutPromptAndMixedHalvesOpenNothing) {
    protectWith(IDC_PROTECTION_WINDOWS);
    expectNothingReadable();
    startShown();
    expectSequencePastes();
    // A second save: new pair id, so its list and the first save's passwords belong to no save.
    const Bytes firstPasswords = dir_.read(kPasswordFile);
    kavo_->command(IDC_CMD_DELETE); // row 0 is selected
    kavo_->command(IDC_CMD_SAVE);
    ASSERT_TRUE(kavo_->endsWithoutAsking());
    dir_.write(kPasswordFile, firstPasswords);

    start();
    expectRefused(dir_.file(kListFile) + L"\n" + dir_.file(kPasswordFile) + L"\nを開けません。");
    EXPECT_EQ(dir_.read(kPasswordFile), firstPasswords);
}

TEST_F(Protection, SwitchingBackAsksOnceThenWritesTheCompatibleFiles) {
    protectWith(IDC_PROTECTION_WINDOWS);
    startShown();
    kavo_->command(IDC_CMD_PROTECTION);
    {
        DialogDriver dialog(*kavo_, L"データの保護");
        EXPECT_EQ(dialog.text(IDC_PROTECTION_ON_DISK),
                  L"今のファイル：この Windows ユーザーだけが開ける");
        EXPECT_TRUE(dialog.isChecked(IDC_PROTECTION_WINDOWS));
        dialog.press(IDC_PROTECTION_SCRAMBLED);
        dialog.press(IDOK);
        EXPECT_NE(kavo_->answerNext(IDYES).text.find(L"スクランブルだけの互換の形"),
                  std::wstring::npos);
        ASSERT_TRUE(dialog.waitUntilClosed());
    }
    kavo_->command(IDC_CMD_SAVE);
    ASSERT_TRUE(kavo_->endsWithoutAsking());
    EXPECT_EQ(dir_.read(kListFile), listFileFor(entries_));
    EXPECT_EQ(dir_.read(kPasswordFile), passwordFileFor(kMasterPassword, entries_));
}

// A folder saved under the Windows user's protection, opened by another user. Wine's DPAPI keys on
// the user name, so the second step runs under another USER: ctest runs the two in turn with
// KAVO_OTHER_USER_STEP set to "write" and then "open" (see tests/CMakeLists.txt); otherwise the
// test has nothing to do.
TEST(ProtectionElsewhere, AWindowsUserFolderOpensNothingForAnotherUserAndStaysAsItWas) {
    wchar_t step[16] = {};
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KAVO_OTHER_USER_STEP", step, 16) == 0 ||
        GetEnvironmentVariableW(L"KAVO_OTHER_USER_FOLDER", folder, MAX_PATH) == 0) {
        GTEST_SKIP() << "runs as two steps under two user names";
    }
    const std::wstring dir(folder);
    CreateDirectoryW(dir.c_str(), nullptr);
    const auto path = [&](const wchar_t* name) { return dir + L"\\" + name; };
    if (std::wstring(step) == L"write") {
        const std::vector<Entry> entries = numberedEntries(2);
        TempDirectory scratch;
        writeDataFiles(scratch, entries, passModeSettings());
        {
            Kavo kavo(scratch.path());
            kavo.shownWindow();
            kavo.command(IDC_CMD_PROTECTION);
            DialogDriver dialog(kavo, L"データの保護");
            dialog.press(IDC_PROTECTION_WINDOWS);
            dialog.press(IDOK);
            ASSERT_TRUE(dialog.waitUntilClosed());
            kavo.command(IDC_CMD_SAVE);
            // The readable generation of the replaced pair is offered for removal.
            kavo.answerNext(IDYES);
            ASSERT_TRUE(kavo.endsWithoutAsking());
        }
        for (const wchar_t* name : {kListFile, kPasswordFile, L"pw_set3.dat"}) {
            ASSERT_TRUE(CopyFileW(scratch.file(name).c_str(), path(name).c_str(), FALSE));
            ASSERT_TRUE(CopyFileW(scratch.file(name).c_str(), (path(name) + L".as-written").c_str(),
                                  FALSE));
        }
        return;
    }
    Kavo kavo(dir);
    const MessageBoxText refusal = kavo.answerNext(IDOK);
    EXPECT_NE(refusal.text.find(L"別の Windows ユーザーか別の PC で保護された"),
              std::wstring::npos);
    kavo.shownWindow();
    EXPECT_EQ(ListDriver(kavo).rowCount(), 0);
    kavo.command(IDC_CMD_SAVE);
    EXPECT_NE(kavo.answerNext(IDOK).text.find(L"保存しません"), std::wstring::npos);
    kavo.close();
    EXPECT_TRUE(kavo.waitForExit());
    for (const wchar_t* name : {kListFile, kPasswordFile}) {
        EXPECT_EQ(wholeFile(path(name)), wholeFile(path(name) + L".as-written"));
    }
}

} // namespace
} // namespace kavo::e2e
