#include "store/decimal_text.h"
#include "store/entry_table.h"
#include "store/list_file.h"
#include "store/password_file.h"
#include "store/text_lines.h"
#include "tests/support/memory_table.h"
#include "tests/support/test_entries.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(StoreRoundTrip, AThousandEntriesComeBackWithTheirPasswords) {
    MemoryRowView rows;
    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    SilentTableHost host;
    EntryTable table{rows, contents, host};
    const std::u16string types = u"BTVW";
    for (int row = 0; row < kMaxRows; ++row) {
        const std::u16string n = formatInt(row);
        table.insertEntry(row, testEntry(u"Title \u3042 " + n, std::u16string(1, types[row % 4]),
                                         u"user" + n + u"@example.com"));
        // Printable ASCII throughout, the storable range of every code page.
        slots.set(row, u"p@ss~" + n + std::u16string(static_cast<std::size_t>(row % 100), u'!'));
    }
    const Latin1Codec codec;
    const Bytes listBytes = encodeTextFile(listFileText(table));
    const Bytes passwordBytes = passwordFileBytes({u"Master 1", {}}, slots, codec);
    EXPECT_EQ(passwordBytes.size(), kPasswordFileBytes);

    MemoryRowView loadedRows;
    StoreContents loaded;
    EntryTable loadedTable{loadedRows, loaded, host};
    ASSERT_EQ(readPasswordFile(passwordBytes, codec, loaded.masterPassword, loaded.slots).status,
              PasswordFileStatus::Ok);
    ListParser parser;
    std::vector<Entry> parsed;
    parser.parseListLines(parsed, splitTextFile(listBytes).value());
    loadedTable.loadRows(std::move(parsed));

    EXPECT_EQ(loaded.masterPassword.text, u"Master 1");
    ASSERT_EQ(loadedTable.rowCount(), kMaxRows);
    for (int row = 0; row < kMaxRows; ++row) {
        ASSERT_EQ(loadedTable.entryAt(row), table.entryAt(row)) << "row " << row;
        ASSERT_EQ(loadedTable.cellText(row, kCellPw), kMaskText);
    }
    // Written again, both files are byte for byte the same.
    EXPECT_EQ(encodeTextFile(listFileText(loadedTable)), listBytes);
    EXPECT_EQ(passwordFileBytes(loaded.masterPassword, loaded.slots, codec), passwordBytes);
}

} // namespace
} // namespace kavo
