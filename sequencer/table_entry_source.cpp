#include "sequencer/table_entry_source.h"

namespace kavo {

std::optional<SelectedEntry> TableEntrySource::selectedEntry() const {
    const std::optional<Entry> entry = table_.selectedEntry();
    if (!entry) {
        return std::nullopt;
    }
    return SelectedEntry{entry->id, entry->type, entry->password};
}

void TableEntrySource::clearRowMarksOfSelection() {
    table_.clearRowMarks(table_.selectedRow());
}

} // namespace kavo
