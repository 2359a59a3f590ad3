// The selected entry of the entry table, as the clipboard sequence reads it.
#pragma once

#include "sequencer/sequence.h"
#include "store/entry_table.h"

#include <memory>

namespace kavo {

class TableEntrySource final : public EntrySource {
  public:
    explicit TableEntrySource(EntryTable& table) : table_(table) {}

    std::optional<SelectedEntry> selectedEntry() const override;
    void clearRowMarksOfSelection() override;

  private:
    EntryTable& table_;
};

} // namespace kavo
