#include "sequencer/right_click.h"

#include "tests/support/memory_table.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(RightClick, TheClickedRowBecomesTheOnlySelectionWhenTheClickStartsSomething) {
    MemoryTable memory;
    MemoryRowView& rows = memory.view;
    EntryTable& table = memory.table;
    for (int row = 0; row < 4; ++row) {
        table.insertEntry(row, testEntry(u"entry", u"V", u"id", u"pw"));
    }
    rows.select({0, 3});
    // A click on no row, or with the toolbar alone, leaves the selection as it was.
    EXPECT_EQ(prepareRightClick(table, CopyMethod::ListClick, -1), RightClickAction::StartIdPhase);
    EXPECT_EQ(prepareRightClick(table, CopyMethod::ToolbarOnly, 3), RightClickAction::Nothing);
    EXPECT_EQ(rows.selectedCount(), 2);

    EXPECT_EQ(prepareRightClick(table, CopyMethod::SmallWindow, 3), RightClickAction::CopyWindow);
    EXPECT_EQ(rows.selectedCount(), 1);
    EXPECT_EQ(rows.rowMarks(3, kAllMarks), kAllMarks); // highlighted as a click leaves it

    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    EXPECT_EQ(prepareRightClick(table, CopyMethod::ListClick, -1), RightClickAction::Nothing);
}

} // namespace
} // namespace kavo
