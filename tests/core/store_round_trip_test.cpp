#include "store/decimal_text.h"
#include "store/entry_table.h"
#include "store/list_file.h"
#include "store/password_file.h"
#include "store/text_lines.h"
#include "tests/core/memory_row_view.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

class NoHost : public TableHost {
  public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
    void startRevealTimer() override {}
};

TEST(StoreRoundTrip, AThousandEntriesComeBackWithTheirPasswords) {
    MemoryRowView rows;
    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    NoHost host;
    EntryTable table{rows, contents, host};
    const std::u16string types = u"BTVW";
    for (int row = 0; row < kMaxRows; ++row) {
        const std::u16string n = formatInt(row);
        table.buildRow(row, u"Title \u3042 " + n, std::u16string(1, types[row % 4]),
                       u"user" + n + u"@example.com");
        // Printable ASCII throughout, the storable range of every code page.
        slots.set(row, u"p@ss~" + n + std::u16string(static_cast<std::size_t>(row % 100), u'!'));
    }
    const Latin1Codec codec;
    const Bytes listBytes = encodeTextFile(listFileText(rows));
    const Bytes passwordBytes = passwordFileBytes({u"Master 1", {}}, slots, codec);
    EXPECT_EQ(passwordBytes.size(), kPasswordFileBytes);

    MemoryRowView loadedRows;
    PasswordSlots loadedSlots;
    MasterPassword master;
    ASSERT_EQ(readPasswordFile(passwordBytes, codec, master, loadedSlots).status,
              PasswordFileStatus::Ok);
    ListParser parser;
    parser.parseListLines(loadedRows, splitTextFile(listBytes).value());

    EXPECT_EQ(master.text, u"Master 1");
    ASSERT_EQ(loadedRows.rowCount(), kMaxRows);
    for (int row = 0; row < kMaxRows; ++row) {
        for (int cell = kCellTitle; cell <= kCellId; ++cell) {
            ASSERT_EQ(loadedRows.cellText(row, cell, 256), rows.cellText(row, cell, 256))
                << "row " << row << " cell " << cell;
        }
        ASSERT_EQ(loadedRows.cellText(row, kCellPw, 256), kMaskText);
        ASSERT_EQ(loadedRows.itemData(row), row);
        ASSERT_EQ(loadedSlots.at(row), slots.at(row)) << "row " << row;
    }
    // Written again, both files are byte for byte the same.
    EXPECT_EQ(encodeTextFile(listFileText(loadedRows)), listBytes);
    EXPECT_EQ(passwordFileBytes(master, loadedSlots, codec), passwordBytes);
}

} // namespace
} // namespace kavo
