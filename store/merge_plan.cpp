#include "store/merge_plan.h"

#include "resources/texts.h"
#include "store/decimal_text.h"
#include "store/text_format.h"

#include <algorithm>

namespace kavo {

namespace {

bool sameKey(const Entry& a, const Entry& b) {
    return a.title == b.title && a.id == b.id;
}

bool sameContent(const Entry& a, const Entry& b) {
    return a.password == b.password && a.type == b.type;
}

} // namespace

MergePlan planMerge(std::span<const Entry> here, std::span<const OtherEntry> theirs, int freeRows) {
    MergePlan plan;
    std::vector<const Entry*> seen;
    for (const OtherEntry& other : theirs) {
        const Entry& entry = other.entry;
        if (std::any_of(seen.begin(), seen.end(), [&](const Entry* earlier) {
                return sameKey(*earlier, entry) && sameContent(*earlier, entry);
            })) {
            continue;
        }
        seen.push_back(&entry);
        const auto match = std::find_if(here.begin(), here.end(),
                                        [&](const Entry& row) { return sameKey(row, entry); });
        const bool alreadySame = std::any_of(here.begin(), here.end(), [&](const Entry& row) {
            return sameKey(row, entry) && sameContent(row, entry);
        });
        if (alreadySame) {
            ++plan.same;
        } else if (other.passwordUnreadable) {
            ++plan.unreadable;
        } else if (match != here.end()) {
            plan.differing.push_back({static_cast<int>(match - here.begin()), entry});
        } else if (std::any_of(plan.added.begin(), plan.added.end(),
                               [&](const Entry& added) { return sameKey(added, entry); })) {
            // A second version of an entry that is new here: the first one is taken.
            ++plan.repeated;
        } else if (static_cast<int>(plan.added.size()) < freeRows) {
            plan.added.push_back(entry);
        } else {
            ++plan.beyondRoom;
        }
    }
    return plan;
}

std::u16string mergeSummaryText(const MergePlan& plan, std::u16string_view fileName) {
    std::u16string text =
        formatText(kMergeSummaryText,
                   {std::u16string(fileName), formatInt(static_cast<int>(plan.added.size())),
                    formatInt(static_cast<int>(plan.differing.size())), formatInt(plan.same)});
    if (plan.beyondRoom > 0) {
        text += formatText(kMergeLeftOutText, {formatInt(plan.beyondRoom)});
    }
    if (plan.repeated > 0) {
        text += formatText(kMergeRepeatedText, {formatInt(plan.repeated)});
    }
    if (plan.unreadable > 0) {
        text += formatText(kMergeUnreadableText, {formatInt(plan.unreadable)});
    }
    return text;
}

std::u16string differingLineText(const DifferingEntry& entry, const Entry& here) {
    const bool password = entry.theirs.password != here.password;
    const bool type = entry.theirs.type != here.type;
    std::u16string what =
        password && type ? std::u16string(kMergeDiffersBoth)
        : password       ? std::u16string(kMergeDiffersPassword)
                         : formatText(kMergeDiffersType, {std::u16string(here.type.text()),
                                                          std::u16string(entry.theirs.type.text())});
    return formatText(kMergeDifferingLine, {entry.theirs.title, entry.theirs.id, what});
}

void applyMerge(EntryTable& table, const MergePlan& plan, std::span<const int> ticked) {
    bool changed = false;
    for (const int index : ticked) {
        if (index < 0 || index >= static_cast<int>(plan.differing.size())) {
            continue;
        }
        const DifferingEntry& differing = plan.differing[static_cast<std::size_t>(index)];
        const std::optional<Entry> row = table.entryAt(differing.row);
        // The row must still be the entry the preview compared.
        if (row && sameKey(*row, differing.theirs)) {
            table.replaceEntry(differing.row, differing.theirs);
            changed = true;
        }
    }
    if (table.appendEntries(plan.added) > 0) {
        changed = true;
    }
    if (changed) {
        table.markChanged();
    }
}

} // namespace kavo
