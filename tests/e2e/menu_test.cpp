// The 編集 menu as the lock shapes it: which items are grayed, and that a grayed item really
// does nothing when the user picks it from the keyboard.
#include "resources/resource.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/menu_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

// The 編集 popup from top to bottom, separators left out.
constexpr int kEditItems[] = {
    IDC_CMD_UNLOCK,    IDC_CMD_CHANGE_PASSWORD, IDC_CMD_ADD,        IDC_CMD_INSERT,
    IDC_CMD_EDIT,      IDC_CMD_DELETE,          IDC_CMD_BULK_TYPE,  IDC_CMD_MOVE_UP,
    IDC_CMD_MOVE_DOWN, IDC_CMD_REVEAL,          IDC_CMD_FIND,       IDC_CMD_IMPORT,
    IDC_CMD_EXPORT,    IDC_CMD_MERGE,           IDC_CMD_PROTECTION, IDC_CMD_SETTINGS,
    IDC_CMD_SAVE,
};
constexpr wchar_t kEditMenuLetter = L'e';
constexpr wchar_t kDeleteLetter = L'd'; // 項目削除(&D) is the first item with D
constexpr wchar_t kMoveUpLetter = L'u';

// Item id to enabled, as the open popup shows them.
std::map<int, bool> editMenuStates(Kavo& kavo) {
    MenuPopup menu(kavo, kEditMenuLetter);
    const std::vector<bool> enabled = menu.enabledItems(std::size(kEditItems));
    std::map<int, bool> states;
    for (std::size_t i = 0; i < enabled.size() && i < std::size(kEditItems); ++i) {
        states[kEditItems[i]] = enabled[i];
    }
    return states;
}

// Every item of the popup grayed or enabled, with the exceptions given.
std::map<int, bool> allItems(bool enabled, const std::map<int, bool>& exceptions) {
    std::map<int, bool> states;
    for (const int id : kEditItems) {
        states[id] = enabled;
    }
    for (const auto& [id, state] : exceptions) {
        states[id] = state;
    }
    return states;
}

// Three entries in a fresh data directory, with KAVO started on them and shown.
class EditMenu : public ::testing::Test {
  protected:
    void startWith(const SettingsRecord& settings) {
        writeDataFiles(dir, entries, settings);
        kavo.emplace(dir.path());
        kavo->shownWindow();
        list.emplace(*kavo);
    }

    TempDirectory dir;
    const std::vector<Entry> entries = numberedEntries(3);
    std::optional<Kavo> kavo;
    std::optional<ListDriver> list;
};

void pickFromEditMenu(Kavo& kavo, wchar_t itemLetter) {
    MenuPopup menu(kavo, kEditMenuLetter);
    menu.typeItemLetter(itemLetter);
}

TEST_F(EditMenu, LockedLeavesOnlyUnlockFindSettingsAndSaveEnabledAndAGrayedItemDoesNothing) {
    startWith(lockedSettings());

    EXPECT_EQ(editMenuStates(*kavo), allItems(false, {{IDC_CMD_UNLOCK, true},
                                                      {IDC_CMD_FIND, true},
                                                      {IDC_CMD_SETTINGS, true},
                                                      {IDC_CMD_SAVE, true}}));

    list->selectRows({1});
    for (const wchar_t grayed : {kDeleteLetter, kMoveUpLetter}) {
        pickFromEditMenu(*kavo, grayed);
        EXPECT_EQ(list->readRows(), maskedRows(entries))
            << "item letter " << static_cast<char>(grayed);
        EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
    }
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

TEST_F(EditMenu, PassModeEnablesEveryEditingItemGraysUnlockAndTheItemsWork) {
    startWith(passModeSettings());

    EXPECT_EQ(editMenuStates(*kavo), allItems(true, {{IDC_CMD_UNLOCK, false}}));

    list->selectRows({1});
    pickFromEditMenu(*kavo, kDeleteLetter);
    EXPECT_EQ(list->readRows(), revealedRows(pick(entries, {0, 2})));
    list->selectRows({1});
    pickFromEditMenu(*kavo, kMoveUpLetter);
    EXPECT_EQ(list->readRows(), revealedRows(pick(entries, {2, 0})));
}

TEST_F(EditMenu, LockedWindowIgnoresEditingCommandsThatArriveWithoutTheMenu) {
    startWith(lockedSettings());
    list->selectRows({1});

    // Posted straight to the window, as any program can: no grayed item stands in the way.
    for (const int id : {IDC_CMD_REVEAL, IDC_CMD_DELETE, IDC_CMD_MOVE_UP, IDC_CMD_MOVE_DOWN,
                         IDC_CMD_ADD, IDC_CMD_INSERT, IDC_CMD_EDIT, IDC_CMD_BULK_TYPE,
                         IDC_CMD_CHANGE_PASSWORD, IDC_CMD_IMPORT, IDC_CMD_EXPORT, IDC_CMD_MERGE}) {
        kavo->command(id);
    }
    EXPECT_EQ(kavo->waitForWindow(L"#32770", 300), nullptr) << "a locked command opened a dialog";
    EXPECT_EQ(list->readRows(), maskedRows(entries));
    EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
    EXPECT_TRUE(kavo->endsWithoutAsking());
}

} // namespace
} // namespace kavo::e2e
