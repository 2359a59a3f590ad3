// Taking in the entries of another KAVO data folder: which of its entries are new here, which
// differ from an entry with the same title and ID, and which are here already. New ones are added
// at the end; a differing one replaces the password and type of its entry only when the user ticks
// it.
#pragma once

#include "store/entry.h"
#include "store/entry_table.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

struct DifferingEntry {
    int row = 0;  // the entry here with the same title and ID
    Entry theirs; // the other folder's entry
};

struct MergePlan {
    std::vector<Entry> added;
    std::vector<DifferingEntry> differing;
    int same = 0;
    // New entries beyond the table's room, which are not added.
    int beyondRoom = 0;
    // Further versions of an entry that is new here; only the first is added.
    int repeated = 0;
    // Entries whose password the other pair holds in a form this code page cannot read: taking
    // them would give them an empty password, so they are left out.
    int unreadable = 0;
};

struct OtherEntry {
    Entry entry;
    bool passwordUnreadable = false;
};

// Compares the other folder's entries, in their order, with the rows here. An entry repeated in
// the other folder counts once.
MergePlan planMerge(std::span<const Entry> here, std::span<const OtherEntry> theirs, int freeRows);

// The preview's summary of the plan for the file named.
std::u16string mergeSummaryText(const MergePlan& plan, std::u16string_view fileName);
// One line of the list of differing entries: title, ID and what differs.
std::u16string differingLineText(const DifferingEntry& entry, const Entry& here);

// Adds the new entries at the end and takes the ticked differing ones (indices into
// plan.differing) over their rows; the table counts as changed when anything was taken.
void applyMerge(EntryTable& table, const MergePlan& plan, std::span<const int> ticked);

} // namespace kavo
