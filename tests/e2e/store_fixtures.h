// Data directories prepared the way KAVO writes them, and the bytes it is expected to save:
// the entry list, the password file and the settings.
#pragma once

#include "settings/settings_record.h"
#include "store/text_lines.h"
#include "tests/e2e/list_driver.h"
#include "tests/support/temp_directory.h"

#include <span>
#include <string>
#include <vector>

namespace kavo::e2e {

struct Entry {
    std::u16string title;
    std::u16string type;
    std::u16string id;
    std::u16string password; // printable ASCII: the same bytes in every ANSI code page
};

// Distinct entries "entry 0", "entry 1", ... with all four type letters and ASCII passwords.
std::vector<Entry> numberedEntries(int count);

// The entries at these indices, in this order.
std::vector<Entry> pick(std::span<const Entry> entries, const std::vector<int>& indices);

// The rows as the list shows them, with the passwords masked or revealed.
std::vector<ShownRow> maskedRows(std::span<const Entry> entries);
std::vector<ShownRow> revealedRows(std::span<const Entry> entries);

// pw_set1.dat: "title=", "type=" and "id=" lines per entry after the FF FE mark.
Bytes listFileFor(std::span<const Entry> entries);
// pw_set2.dat: the master password and the entries' passwords in slot order, the other slots
// empty.
Bytes passwordFileFor(std::u16string_view masterPassword, std::span<const Entry> entries);

// Settings a user of these tests would have: pass mode on, so the editing items can really be
// used, and revealed passwords that stay visible long enough to be read.
SettingsRecord passModeSettings();
// The same with the lock on.
SettingsRecord lockedSettings();
Bytes settingsFileBytes(const SettingsRecord& settings);

constexpr std::u16string_view kMasterPassword = u"master-key";
// The data folder's entry list and password file.
inline constexpr wchar_t kListFile[] = L"pw_set1.dat";
inline constexpr wchar_t kPasswordFile[] = L"pw_set2.dat";

// Writes all three files into the directory.
void writeDataFiles(const kavo::testing::TempDirectory& dir, std::span<const Entry> entries,
                    const SettingsRecord& settings);

} // namespace kavo::e2e
