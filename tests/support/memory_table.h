// An entry table over the in-memory list, with a host that says nothing: what most tests of the
// table's users need.
#pragma once

#include "store/entry_table.h"
#include "tests/support/memory_row_view.h"

namespace kavo {

class SilentTableHost : public TableHost {
  public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
    void startRevealTimer() override {}
};

struct MemoryTable {
    SilentTableHost host;
    MemoryRowView view;
    StoreContents contents;
    EntryTable table{view, contents, host};
};

} // namespace kavo
