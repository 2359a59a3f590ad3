// Entries typed into the real edit dialog: added, inserted, edited, copied and pasted, saved
// and found again after a restart; what the table or the password file cannot take is refused;
// and the bulk type change.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr wchar_t kEditDialog[] = L"編集画面";
constexpr int kOk = IDC_BUTTON_1, kCancel = IDC_BUTTON_2, kCopy = IDC_BUTTON_3,
              kPaste = IDC_BUTTON_4;
constexpr int kTitle = IDC_EDIT_1, kId = IDC_EDIT_2, kPassword = IDC_EDIT_3;

std::wstring wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

// The message box with this caption, answered with OK.
MessageBoxText answerBox(Kavo& kavo, const wchar_t* caption) {
    HWND box = kavo.waitForWindow(L"#32770", 5000, caption);
    EXPECT_NE(box, nullptr) << "no message " << ::testing::PrintToString(caption);
    return box != nullptr ? kavo.answer(box, IDOK) : MessageBoxText{};
}

TEST(EntryDialog, EntriesTypedInAreAddedInsertedEditedAndCopiedAndSurviveARestart) {
    TempDirectory dir;
    dir.write(L"pw_set3.dat", settingsFileBytes(passModeSettings()));
    auto kavo = std::make_unique<Kavo>(dir.path());
    // A first start: neither entry file exists yet.
    answerBox(*kavo, L"ﾌｧｲﾙｴﾗｰ");
    answerBox(*kavo, L"ﾌｧｲﾙｴﾗｰ");
    kavo->shownWindow();
    auto list = std::make_unique<ListDriver>(*kavo);

    Entry mail{u"メール", u"B", u"taro", u"Mail-2024"};
    const Entry bank{u"bank", u"T", u"12345678", u"Kx9#pL2q"};
    const Entry shop{u"shop", u"W", u"yamada", u"Shop*4411"};
    const Entry wifi{u"Wi-Fi", u"V", u"admin", u"r0uter Pass"};
    enterEntry(*kavo, IDC_CMD_ADD, mail, 0); // no radio checked: "B"
    enterEntry(*kavo, IDC_CMD_ADD, bank, IDC_RADIO_TIME);
    enterEntry(*kavo, IDC_CMD_ADD, shop, IDC_RADIO_CTRL_V_TIME);
    list->selectRows({2});
    enterEntry(*kavo, IDC_CMD_INSERT, wifi, IDC_RADIO_CTRL_V);
    EXPECT_EQ(list->readRows(), revealedRows(std::vector<Entry>{mail, bank, wifi, shop}));

    // Editing shows the row as it is and rewrites it in place.
    list->selectRows({0});
    kavo->command(IDC_CMD_EDIT);
    {
        DialogDriver dialog(*kavo, kEditDialog);
        EXPECT_EQ(dialog.text(kPassword), wide(mail.password));
        EXPECT_TRUE(dialog.isChecked(IDC_RADIO_BUTTON));
        mail.id = u"taro.yamada@example.jp";
        dialog.type(kId, wide(mail.id));
        dialog.press(kOk);
    }

    // The close box leaves the selection; COPY, then Cancel, which clears it; PASTE into a
    // later opening brings the copy back.
    list->selectRows({1});
    kavo->command(IDC_CMD_EDIT);
    DialogDriver(*kavo, kEditDialog).close();
    EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
    kavo->command(IDC_CMD_EDIT);
    DialogDriver(*kavo, kEditDialog).press(kCopy);
    DialogDriver(*kavo, kEditDialog).press(kCancel);
    EXPECT_TRUE(list->selectedRows().empty());
    kavo->command(IDC_CMD_ADD);
    {
        DialogDriver dialog(*kavo, kEditDialog);
        dialog.press(kPaste);
        EXPECT_TRUE(dialog.isChecked(IDC_RADIO_TIME));
        dialog.press(kOk);
    }

    const std::vector<Entry> expected{mail, bank, wifi, shop, bank};
    EXPECT_EQ(list->readRows(), revealedRows(expected));
    kavo->command(IDC_CMD_SAVE);
    EXPECT_EQ(dir.read(L"pw_set1.dat"), listFileFor(expected));
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwordFileFor(u"", expected));
    ASSERT_TRUE(kavo->endsWithoutAsking());

    list.reset();
    kavo = std::make_unique<Kavo>(dir.path());
    kavo->shownWindow();
    list = std::make_unique<ListDriver>(*kavo);
    kavo->command(IDC_CMD_REVEAL);
    EXPECT_EQ(list->readRows(), revealedRows(expected));
}

TEST(EntryDialog, AFullTableTakesNoNewEntryAndAPasswordTheFileCannotHoldIsRefused) {
    TempDirectory dir;
    constexpr int kLast = 999;
    std::vector<Entry> entries = numberedEntries(kLast + 1);
    writeDataFiles(dir, entries, passModeSettings());
    Kavo kavo(dir.path());
    kavo.shownWindow();
    ListDriver list(kavo);
    list.selectRows({kLast});
    for (const int command : {IDC_CMD_ADD, IDC_CMD_INSERT}) {
        kavo.command(command);
        EXPECT_NE(answerBox(kavo, L"編集").text.find(L"1000"), std::wstring::npos);
        kavo.settle();
        EXPECT_EQ(kavo.waitForWindow(L"#32770", 0, kEditDialog), nullptr);
    }
    EXPECT_EQ(list.rowCount(), kLast + 1);

    // The last row can still be edited, but only to a password the file can hold exactly.
    kavo.command(IDC_CMD_EDIT);
    DialogDriver dialog(kavo, kEditDialog);
    // A byte the file cannot hold, a character the code page lacks, and 128 bytes.
    for (const std::wstring& password :
         {std::wstring(L"pass漢字"), std::wstring(L"€uro"), std::wstring(64, L'ア')}) {
        dialog.type(kPassword, password);
        dialog.press(kOk);
        EXPECT_NE(answerBox(kavo, L"入力確認").text.find(L"保存でき"), std::wstring::npos);
        EXPECT_EQ(dialog.text(kPassword), password);
        EXPECT_EQ(list.readCell(kLast, 3), entries.back().password);
    }
    entries.back().password = u"new-pass";
    dialog.type(kPassword, wide(entries.back().password));
    dialog.press(kOk);
    EXPECT_FALSE(dialog.isOpen());
    kavo.command(IDC_CMD_SAVE);
    EXPECT_EQ(dir.read(L"pw_set2.dat"), passwordFileFor(kMasterPassword, entries));
}

TEST(EntryDialog, BulkTypeChangeRetypesEveryRowAndCancelChangesNothing) {
    TempDirectory dir;
    std::vector<Entry> entries = numberedEntries(4);
    writeDataFiles(dir, entries, passModeSettings());
    Kavo kavo(dir.path());
    kavo.shownWindow();
    ListDriver list(kavo);
    list.selectRows({1});

    for (const int button : {kCancel, kOk}) {
        kavo.command(IDC_CMD_BULK_TYPE);
        DialogDriver bulk(kavo, L"一括動作変更");
        for (const int radio : {IDC_RADIO_BUTTON, IDC_RADIO_TIME, IDC_RADIO_CTRL_V_TIME}) {
            EXPECT_FALSE(bulk.isChecked(radio)) << "radio " << radio;
        }
        bulk.press(IDC_RADIO_CTRL_V_TIME);
        bulk.press(button);
        EXPECT_FALSE(bulk.isOpen());
        if (button == kCancel) {
            EXPECT_EQ(list.readRows(), maskedRows(entries));
        }
    }
    for (Entry& entry : entries) {
        entry.type = u"W";
    }
    EXPECT_EQ(list.readRows(), maskedRows(entries));
    EXPECT_EQ(list.selectedRows(), std::vector<int>{1});
    kavo.command(IDC_CMD_SAVE);
    EXPECT_EQ(dir.read(L"pw_set1.dat"), listFileFor(entries));
}

} // namespace
} // namespace kavo::e2e
