// The selected entry of the entry table, as the clipboard sequence reads it.
#pragma once

#include "sequencer/sequence.h"
#include "store/entry_table.h"

#include <memory>

namespace kavo {

class TableEntrySource final : public EntrySource {
  public:
    // The table exists only once the main window has built its list view.
    explicit TableEntrySource(const std::unique_ptr<EntryTable>& table) : table_(table) {}

    std::optional<SelectedEntry> selectedEntry() const override;
    void clearRowMarksOfSelection() override;

  private:
    const std::unique_ptr<EntryTable>& table_;
};

} // namespace kavo
