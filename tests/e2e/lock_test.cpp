// The master password lock through KAVO.exe: the password typed with real keys into the unlock
// dialog, locking again, and the change dialog with pass mode and the saved password. Whatever
// locks hides the revealed passwords, and a locked Windows session locks KAVO.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/input_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/menu_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;
using Texts = std::vector<std::wstring>;

class LockTest : public ::testing::Test {
  protected:
    void start(std::u16string_view masterPassword,
               const SettingsRecord& settings = lockedSettings()) {
        writeDataFiles(dir_, entries_, settings);
        dir_.write(L"pw_set2.dat", passwordFileFor(masterPassword, entries_));
        kavo_ = std::make_unique<Kavo>(dir_.path());
        kavo_->shownWindow();
    }
    HWND open(int command) {
        kavo_->command(command);
        dialog_ = kavo_->waitForOwnedBy(kavo_->window());
        EXPECT_NE(dialog_, nullptr) << "command " << command << " opened no dialog";
        return dialog_;
    }
    void press(int button) {
        PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_, button)));
    }
    // Answers the dialog's messages in turn; their texts.
    Texts messages(std::size_t count) {
        Texts texts;
        for (std::size_t i = 0; i < count; ++i) {
            HWND box = kavo_->waitForOwnedBy(dialog_);
            texts.push_back(box != nullptr ? kavo_->answer(box, IDOK).text : L"<none>");
        }
        return texts;
    }
    // The dialog has closed and the title shows the lock state.
    bool closedWithTitle(const std::wstring& title) {
        for (DWORD waited = 0; waited < 5000; waited += 20) {
            if (!IsWindow(dialog_) && kavo_->title() == title) {
                return true;
            }
            Sleep(20);
        }
        return false;
    }

    void unlock() {
        open(IDC_CMD_UNLOCK);
        typeText(L"master-key\r");
        EXPECT_EQ(messages(1), Texts{L"解除しました。"});
        EXPECT_TRUE(closedWithTitle(L"KAVO (UnLocK)"));
    }
    // 登録PW表示 shows every password; the rows as the list shows them afterwards.
    std::vector<ShownRow> revealed() {
        kavo_->command(IDC_CMD_REVEAL);
        return ListDriver(*kavo_).readRows();
    }
    std::vector<ShownRow> rows() { return ListDriver(*kavo_).readRows(); }
    // As Windows tells KAVO that the session was locked.
    void lockSession() {
        PostMessageW(kavo_->window(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
        kavo_->settle();
    }

    TempDirectory dir_;
    const std::vector<Entry> entries_ = numberedEntries(2);
    std::unique_ptr<Kavo> kavo_;
    HWND dialog_ = nullptr;
};

TEST_F(LockTest, OnlyTheWholePasswordTypedAfreshUnlocksAndLockLocksAgain) {
    start(kMasterPassword);
    open(IDC_CMD_UNLOCK);
    typeText(L"master-keyx\r");
    EXPECT_EQ(messages(1), Texts{L"解除出来ません。"});
    // After a refusal, and after クリア, only what is typed next is checked.
    typeText(L"junk");
    press(IDC_UNLOCK_CLEAR);
    kavo_->settle();
    typeText(L"master-key\r");
    EXPECT_EQ(messages(1), Texts{L"解除しました。"});
    EXPECT_TRUE(closedWithTitle(L"KAVO (UnLocK)"));
    {
        constexpr std::size_t kEditItems = 12;
        MenuPopup menu(*kavo_, L'e');
        EXPECT_EQ(menu.enabledItems(kEditItems), std::vector<bool>(kEditItems, true));
    }

    open(IDC_CMD_UNLOCK);
    press(IDC_UNLOCK_LOCK);
    EXPECT_EQ(messages(1), Texts{L"ロックしました。"});
    EXPECT_TRUE(closedWithTitle(L"KAVO  (LocK)"));
    EXPECT_TRUE(kavo_->endsWithoutAsking());
}

TEST_F(LockTest, ChangeDialogSetsThePasswordSwitchesPassModeAndTheExitPromptSavesIt) {
    start(u"");
    open(IDC_CMD_UNLOCK);
    press(IDC_UNLOCK_CHECK);
    EXPECT_EQ(messages(1), Texts{L"設定されてません。"});
    ASSERT_TRUE(closedWithTitle(L"KAVO (UnLocK)"));

    const std::wstring on = L"パスワードのパスモードになりました。";
    const std::wstring off = L"パスワードのパスモードが解除された。";
    const std::wstring changed = L"パスワード変更された。忘れないようにご注意！。";
    const std::wstring refused =
        L"このパスワードは保存出来ません。使えない文字を含むか、長過ぎます。";
    struct Step {
        std::wstring shown, typed; // the field before, the text entered
        bool passMode;
        Texts messages;
        std::wstring title; // once the dialog has closed; empty while it stays open
    };
    // "é" has no form in the code page and would come back as "?".
    const Step steps[] = {
        {L"", L"caf\u00E9", true, {refused}, L""},
        {L"caf\u00E9", L"new-secret", true, {on, changed}, L"KAVO  (PASS)"},
        {L"new-secret", L"new-secret", false, {off}, L"KAVO (UnLocK)"},
        {L"new-secret", L"new-secret", true, {on}, L"KAVO  (PASS)"},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        if (!IsWindow(dialog_)) {
            open(IDC_CMD_CHANGE_PASSWORD);
        }
        HWND field = GetDlgItem(dialog_, IDC_MASTER_PASSWORD_EDIT);
        wchar_t shown[64] = {};
        SendMessageW(field, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(shown));
        EXPECT_EQ(shown, step.shown) << "step " << i;
        // Ticked at opening exactly in pass mode; a refusal leaves the box as it was set.
        const bool ticked = i > 0 && steps[i - 1].passMode;
        EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_PASS_MODE_CHECK),
                  ticked ? BST_CHECKED : BST_UNCHECKED)
            << "step " << i;
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.typed.c_str()));
        SendDlgItemMessageW(dialog_, IDC_PASS_MODE_CHECK, BM_SETCHECK, step.passMode, 0);
        press(IDC_CHANGE_APPLY);
        EXPECT_EQ(messages(step.messages.size()), step.messages) << "step " << i;
        EXPECT_TRUE(step.title.empty() || closedWithTitle(step.title)) << "step " << i;
    }

    kavo_->close();
    EXPECT_EQ(kavo_->answerNext(IDYES).text, L"データー保存後に終了しますか？。");
    ASSERT_TRUE(kavo_->waitForExit());
    EXPECT_EQ(dir_.read(L"pw_set2.dat"), passwordFileFor(u"new-secret", entries_));
    EXPECT_EQ(dir_.read(L"pw_set3.dat"), settingsFileBytes(passModeSettings()));
}

TEST_F(LockTest, EveryWayIntoTheLockHidesRevealedPasswordsAtOnce) {
    start(kMasterPassword);
    const std::vector<ShownRow> shown = revealedRows(entries_);
    const std::vector<ShownRow> masked = maskedRows(entries_);

    unlock();
    ASSERT_EQ(revealed(), shown);
    open(IDC_CMD_UNLOCK);
    press(IDC_UNLOCK_LOCK);
    EXPECT_EQ(messages(1), Texts{L"ロックしました。"});
    EXPECT_TRUE(closedWithTitle(L"KAVO  (LocK)"));
    EXPECT_EQ(rows(), masked);

    // A failed check locks: the passwords are gone while its message is still up.
    unlock();
    ASSERT_EQ(revealed(), shown);
    open(IDC_CMD_UNLOCK);
    typeText(L"wrong\r");
    HWND refusal = kavo_->waitForOwnedBy(dialog_);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(rows(), masked);
    kavo_->answer(refusal, IDOK);
    press(IDC_UNLOCK_CLOSE);
    EXPECT_TRUE(closedWithTitle(L"KAVO  (LocK)"));

    // Windows locks the session: so does KAVO, and what the open lock showed goes.
    unlock();
    ASSERT_EQ(revealed(), shown);
    lockSession();
    EXPECT_EQ(kavo_->title(), L"KAVO  (LocK)");
    EXPECT_EQ(rows(), masked);
    EXPECT_TRUE(kavo_->endsWithoutAsking());
}

TEST_F(LockTest, PassModeOutlivesASessionLockAndSwitchingItOffLocksAndHides) {
    start(kMasterPassword, passModeSettings());
    ASSERT_EQ(revealed(), revealedRows(entries_));
    lockSession();
    EXPECT_EQ(kavo_->title(), L"KAVO  (PASS)");
    EXPECT_EQ(rows(), revealedRows(entries_));

    open(IDC_CMD_CHANGE_PASSWORD);
    SendDlgItemMessageW(dialog_, IDC_PASS_MODE_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    press(IDC_CHANGE_APPLY);
    EXPECT_EQ(messages(1), Texts{L"パスワードのパスモードが解除された。"});
    EXPECT_TRUE(closedWithTitle(L"KAVO  (LocK)"));
    EXPECT_EQ(rows(), maskedRows(entries_));
}

TEST_F(LockTest, TheHiddenInputKeepsTheKeyboardAndEscapeDoesNothing) {
    start(kMasterPassword);
    open(IDC_CMD_UNLOCK);
    DialogDriver unlockDialog(*kavo_, L"パスワード解除");
    typeText(L"master");
    // Neither takes the keys elsewhere (a Space would then press a button), nor closes.
    unlockDialog.pressKey(VK_TAB);
    unlockDialog.pressKey(VK_TAB, true);
    unlockDialog.pressKey(VK_ESCAPE);
    typeText(L"-key");
    kavo_->settle();
    EXPECT_TRUE(unlockDialog.isOpen());
    typeText(L"\r");
    EXPECT_EQ(messages(1), Texts{L"解除しました。"});
    EXPECT_TRUE(closedWithTitle(L"KAVO (UnLocK)"));
}

TEST_F(LockTest, AnOpenEditDialogTakesNoCommandsAndItsOkFindsTheLockClosed) {
    start(kMasterPassword);
    unlock();
    kavo_->command(IDC_CMD_ADD);
    DialogDriver edit(*kavo_, L"編集画面");
    edit.type(IDC_EDIT_1, L"late entry");
    edit.type(IDC_EDIT_2, L"someone");
    edit.type(IDC_EDIT_3, L"secret");
    // Through the dialog's own message loop: no unlock dialog opens behind it.
    kavo_->command(IDC_CMD_UNLOCK);
    HWND second = kavo_->waitForWindow(L"#32770", 300, L"パスワード解除");
    EXPECT_EQ(second, nullptr);
    if (second != nullptr) {
        PostMessageW(second, WM_CLOSE, 0, 0);
    }

    lockSession();
    EXPECT_EQ(kavo_->title(), L"KAVO  (LocK)");
    edit.press(IDC_BUTTON_1);
    const MessageBoxText refusal = kavo_->answerNext(IDOK);
    EXPECT_EQ(refusal.caption, L"編集");
    EXPECT_EQ(refusal.text.substr(0, 9), L"ロックされたため、");
    EXPECT_TRUE(edit.isOpen()); // as typed, so it can still be copied
    EXPECT_EQ(edit.text(IDC_EDIT_1), L"late entry");
    edit.press(IDC_BUTTON_2);
    EXPECT_TRUE(edit.waitUntilClosed());
    EXPECT_EQ(rows(), maskedRows(entries_));
    EXPECT_TRUE(kavo_->endsWithoutAsking());
}

} // namespace
} // namespace kavo::e2e
