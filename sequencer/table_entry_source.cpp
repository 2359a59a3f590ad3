#include "sequencer/table_entry_source.h"

namespace kavo {

namespace {

// The buffers the cells are read through: one unit of type letter, 127 of ID.
constexpr int kTypeCapacity = 2;
constexpr int kIdCapacity = 128;

} // namespace

std::optional<SelectedEntry> TableEntrySource::selectedEntry() const {
    RowView& rows = table_.rows();
    const int row = rows.selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    return SelectedEntry{rows.cellText(row, kCellId, kIdCapacity),
                         rows.cellText(row, kCellType, kTypeCapacity), table_.slots().at(row)};
}

void TableEntrySource::clearRowMarksOfSelection() {
    table_.clearRowMarks(table_.rows().selectedRow());
}

} // namespace kavo
