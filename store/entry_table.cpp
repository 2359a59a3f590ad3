#include "store/entry_table.h"

#include "store/ascii_case.h"

#include "resources/texts.h"
#include "store/decimal_text.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace kavo {

namespace {

// Read-back buffer sizes, in units including the terminator. Titles may be up to 255 units long
// while they are only in the table; IDs and type letters never exceed 127.
constexpr int kTitleCapacity = 256;
constexpr int kShortCellCapacity = 128;
constexpr int kSortCellCapacity = 256;
constexpr int kToggleCapacity = 256;

constexpr int kAscending = 1;
constexpr int kDescending = 2;

// Like the C runtime's _wcsicmp in its default locale: only A to Z fold; units compare unsigned.
int compareIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = foldAsciiCase(a[i]);
        const char16_t y = foldAsciiCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int compareNumbers(std::int32_t x, std::int32_t y) {
    if (x == y) {
        return 0;
    }
    return x < y ? -1 : 1;
}

bool isColumn(int column) {
    return column >= 0 && column < kCellCount;
}

// Everything a row carries, so rows can be rewritten in a new order without identifying them.
struct RowSnapshot {
    std::array<std::u16string, kCellCount> cells;
    std::int32_t itemData = 0;
    unsigned marks = 0;
};

} // namespace

EntryTable::EntryTable(RowView& rows, StoreContents& contents, TableHost& host)
    : rows_(rows), contents_(contents), host_(host) {}

void EntryTable::buildRow(int at, std::u16string_view title, std::u16string_view type,
                          std::u16string_view id) {
    if (isFull()) {
        return;
    }
    // The cells are set on the row that was really inserted, even when `at` lay past the end.
    const int row = std::clamp(at, 0, rows_.rowCount());
    rows_.insertRow(row, title, row);
    rows_.setCellText(row, kCellType, type);
    rows_.setCellText(row, kCellId, id);
    rows_.setCellText(row, kCellPw, kMaskText);
}

bool EntryTable::isFull() const {
    return rows_.rowCount() >= kMaxRows;
}

int EntryTable::slotBackedRowCount() const {
    return std::min(rows_.rowCount(), kMaxRows);
}

std::vector<int> EntryTable::collectSelectedRows() {
    std::vector<int> gathered;
    const int count = rows_.rowCount();
    while (static_cast<int>(gathered.size()) < count) {
        const int row = rows_.selectedRow();
        if (row < 0) {
            break;
        }
        gathered.push_back(row);
        clearRowMarks(row);
    }
    return gathered;
}

void EntryTable::deleteSelectedRows() {
    const int count = slotBackedRowCount();
    std::vector<int> gathered = collectSelectedRows();
    std::erase_if(gathered, [count](int row) { return row >= count; });
    if (gathered.empty()) {
        host_.showMessage(kSelectEntryText, kMoveCaption);
        return;
    }
    for (auto it = gathered.rbegin(); it != gathered.rend(); ++it) {
        rows_.deleteRow(*it);
    }
    // Close the gaps in one pass: the kept slots move down in their old order.
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(count));
    std::size_t next = 0;
    for (int row = 0; row < count; ++row) {
        if (next < gathered.size() && gathered[next] == row) {
            ++next;
        } else {
            kept.push_back(row);
        }
    }
    contents_.slots.permute(kept);
    // The slots freed at the end belong to no entry; emptied, they cannot reach the file.
    for (int slot = static_cast<int>(kept.size()); slot < count; ++slot) {
        contents_.slots.set(slot, u"");
    }
    markChanged();
    revealPasswords(true);
}

void EntryTable::moveRow(int from, int to) {
    const std::u16string title = rows_.cellText(from, kCellTitle, kTitleCapacity);
    const std::u16string type = rows_.cellText(from, kCellType, kShortCellCapacity);
    const std::u16string id = rows_.cellText(from, kCellId, kShortCellCapacity);
    rows_.deleteRow(from);
    buildRow(to, title, type, id);
    contents_.slots.swap(from, to);
}

void EntryTable::moveSelectedRows(MoveDirection direction) {
    const int count = slotBackedRowCount();
    std::vector<int> gathered = collectSelectedRows();
    std::erase_if(gathered, [count](int row) { return row >= count; });
    if (gathered.empty()) {
        host_.showMessage(kSelectEntryText, kMoveCaption);
        return;
    }
    // A selected row stays put when the edge, or a selected row that stayed put, is in its way;
    // otherwise it would jump over its block mates and scramble the block at the edge.
    if (direction == MoveDirection::Up) {
        int pinnedEnd = 0;
        for (const int row : gathered) {
            if (row == pinnedEnd) {
                ++pinnedEnd;
            } else {
                moveRow(row, row - 1);
            }
        }
    } else {
        // Downwards from the lowest row, so a block keeps its order.
        int pinnedStart = count - 1;
        for (auto it = gathered.rbegin(); it != gathered.rend(); ++it) {
            if (*it == pinnedStart) {
                --pinnedStart;
            } else {
                moveRow(*it, *it + 1);
            }
        }
    }
    markChanged();
    revealPasswords(true);
}

int EntryTable::sortDirection(int column) const {
    return isColumn(column) ? sortDirection_[static_cast<std::size_t>(column)] : 0;
}

int EntryTable::compareTexts(std::u16string_view a, std::u16string_view b, int column) const {
    const int order = column == kCellPw ? compareNumbers(parseLeadingInt(a), parseLeadingInt(b))
                                        : compareIgnoringAsciiCase(a, b);
    return sortDirection(column) == kAscending ? order : -order;
}

int EntryTable::compareRows(int rowA, int rowB, int column) const {
    if (!isColumn(column)) {
        return 0;
    }
    return compareTexts(rows_.cellText(rowA, column, kSortCellCapacity),
                        rows_.cellText(rowB, column, kSortCellCapacity), column);
}

void EntryTable::sortByColumn(int column) {
    if (!isColumn(column)) {
        return;
    }
    int& direction = sortDirection_[static_cast<std::size_t>(column)];
    direction = direction == kAscending ? kDescending : kAscending;

    const int count = slotBackedRowCount();
    std::vector<RowSnapshot> snapshots(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        RowSnapshot& snapshot = snapshots[static_cast<std::size_t>(row)];
        for (int cell = 0; cell < kCellCount; ++cell) {
            snapshot.cells[static_cast<std::size_t>(cell)] =
                rows_.cellText(row, cell, kSortCellCapacity);
        }
        snapshot.itemData = rows_.itemData(row);
        snapshot.marks = rows_.rowMarks(row, kAllMarks);
    }

    // newOrder[k] is the old index of the row that ends up at k; stable, so equal rows keep
    // their relative order.
    std::vector<int> newOrder(static_cast<std::size_t>(count));
    std::iota(newOrder.begin(), newOrder.end(), 0);
    const auto key = static_cast<std::size_t>(column);
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        return compareTexts(snapshots[static_cast<std::size_t>(a)].cells[key],
                            snapshots[static_cast<std::size_t>(b)].cells[key], column) < 0;
    });

    for (int row = 0; row < count; ++row) {
        const int from = newOrder[static_cast<std::size_t>(row)];
        if (from == row) {
            continue;
        }
        const RowSnapshot& snapshot = snapshots[static_cast<std::size_t>(from)];
        for (int cell = 0; cell < kCellCount; ++cell) {
            rows_.setCellText(row, cell, snapshot.cells[static_cast<std::size_t>(cell)]);
        }
        rows_.setItemData(row, snapshot.itemData);
        rows_.setRowMarks(row, snapshot.marks, kAllMarks);
    }
    contents_.slots.permute(newOrder);
}

void EntryTable::revealPasswords(bool startTimer) {
    const int count = slotBackedRowCount();
    for (int row = 0; row < count; ++row) {
        rows_.setCellText(row, kCellPw,
                          contents_.slots.isUnreadable(row) ? kUnreadablePasswordText
                                                            : contents_.slots.at(row));
    }
    if (startTimer) {
        host_.startRevealTimer();
    }
}

void EntryTable::maskPasswords() {
    const int count = slotBackedRowCount();
    for (int row = 0; row < count; ++row) {
        rows_.setCellText(row, kCellPw, kMaskText);
    }
}

void EntryTable::toggleReveal() {
    if (rows_.cellText(0, kCellPw, kToggleCapacity).starts_with(kMaskText)) {
        revealPasswords(false);
    } else {
        maskPasswords();
    }
}

void EntryTable::highlightSelection() {
    const int count = rows_.rowCount();
    for (int row = 0; row < count; ++row) {
        const bool picked = rows_.rowMarks(row, kMarkFocused | kMarkSelected) != 0;
        rows_.setRowMarks(row, picked ? kAllMarks : 0, kAllMarks);
    }
}

void EntryTable::clearRowMarks(int row) {
    rows_.setRowMarks(row, 0, kAllMarks);
}

} // namespace kavo
