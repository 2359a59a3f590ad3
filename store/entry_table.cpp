#include "store/entry_table.h"

#include "resources/texts.h"
#include "store/ascii_case.h"
#include "store/decimal_text.h"
#include "store/utf16_text.h"

#include <algorithm>
#include <numeric>

namespace kavo {

namespace {

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

std::u16string storedUnits(std::u16string_view text) {
    return std::u16string(cutToUnits(text, kStoredTextUnits));
}

} // namespace

EntryTable::EntryTable(RowView& view, StoreContents& contents, TableHost& host)
    : view_(view), contents_(contents), host_(host) {}

EntryTable::Row EntryTable::rowOf(const Entry& entry) {
    return Row{storedUnits(entry.title), entry.type, storedUnits(entry.id), false};
}

std::u16string_view EntryTable::cellText(int row, int cell) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    const Row& shown = rows_[static_cast<std::size_t>(row)];
    switch (cell) {
    case kCellTitle:
        return shown.title;
    case kCellType:
        return shown.type.text();
    case kCellId:
        return shown.id;
    case kCellPw:
        if (!shown.revealed) {
            return kMaskText;
        }
        return passwordUnreadable(row) ? kUnreadablePasswordText
                                       : std::u16string_view(contents_.slots.at(row));
    default:
        return {};
    }
}

std::optional<Entry> EntryTable::entryAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return std::nullopt;
    }
    const Row& stored = rows_[static_cast<std::size_t>(row)];
    return Entry{stored.title, stored.type, stored.id, contents_.slots.at(row)};
}

void EntryTable::loadRows(std::vector<Entry> rows) {
    rows_.clear();
    for (const Entry& entry : rows) {
        if (isFull()) {
            break;
        }
        rows_.push_back(rowOf(entry));
    }
    view_.setRowMarks(kEveryRow, 0, kAllMarks);
    view_.showRowCount(rowCount());
}

void EntryTable::insertEntry(int at, const Entry& entry) {
    if (isFull()) {
        return;
    }
    const int oldCount = rowCount();
    const int row = std::clamp(at, 0, oldCount);
    rows_.insert(rows_.begin() + row, rowOf(entry));
    contents_.slots.insertAt(row);
    contents_.slots.set(row, entry.password);
    std::vector<int> oldIndex(static_cast<std::size_t>(rowCount()));
    std::iota(oldIndex.begin(), oldIndex.end(), -1);
    std::iota(oldIndex.begin(), oldIndex.begin() + row, 0);
    oldIndex[static_cast<std::size_t>(row)] = -1;
    followMarks(oldIndex, oldCount);
}

void EntryTable::replaceEntry(int row, const Entry& entry) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    // Rewritten, the row is built anew: no marks, and the mask until the next reveal.
    rows_[static_cast<std::size_t>(row)] = rowOf(entry);
    clearRowMarks(row);
    if (entry.password != contents_.slots.at(row)) {
        contents_.slots.set(row, entry.password);
    }
    view_.repaintRows();
}

int EntryTable::appendEntries(std::span<const Entry> entries) {
    int added = 0;
    for (const Entry& entry : entries) {
        if (isFull()) {
            break;
        }
        contents_.slots.set(rowCount(), entry.password);
        rows_.push_back(rowOf(entry));
        ++added;
    }
    view_.showRowCount(rowCount());
    return added;
}

void EntryTable::setEveryType(EntryType type) {
    for (Row& row : rows_) {
        row.type = type;
    }
    view_.repaintRows();
}

void EntryTable::followMarks(std::span<const int> oldIndex, int oldCount) {
    std::vector<unsigned> marks(static_cast<std::size_t>(oldCount));
    for (int row = 0; row < oldCount; ++row) {
        marks[static_cast<std::size_t>(row)] = view_.rowMarks(row, kAllMarks);
    }
    view_.setRowMarks(kEveryRow, 0, kAllMarks);
    view_.showRowCount(rowCount());
    for (std::size_t row = 0; row < oldIndex.size(); ++row) {
        const int from = oldIndex[row];
        if (from >= 0 && from < oldCount && marks[static_cast<std::size_t>(from)] != 0) {
            view_.setRowMarks(static_cast<int>(row), marks[static_cast<std::size_t>(from)],
                              kAllMarks);
        }
    }
}

std::vector<int> EntryTable::collectSelectedRows() {
    std::vector<int> gathered;
    const int count = rowCount();
    while (static_cast<int>(gathered.size()) < count) {
        const int row = view_.selectedRow();
        if (row < 0 || row >= count) {
            break;
        }
        gathered.push_back(row);
        clearRowMarks(row);
    }
    std::sort(gathered.begin(), gathered.end());
    return gathered;
}

void EntryTable::deleteSelectedRows() {
    const int count = rowCount();
    const std::vector<int> gathered = collectSelectedRows();
    if (gathered.empty()) {
        host_.showMessage(kSelectEntryText, kMoveCaption);
        return;
    }
    // Close the gaps in one pass: the kept rows and slots move down in their old order.
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
    std::vector<Row> keptRows;
    keptRows.reserve(kept.size());
    for (const int row : kept) {
        keptRows.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
    }
    rows_ = std::move(keptRows);
    contents_.slots.permute(kept);
    // The slots freed at the end belong to no entry; emptied, they cannot reach the file.
    for (int slot = static_cast<int>(kept.size()); slot < count; ++slot) {
        contents_.slots.set(slot, u"");
    }
    followMarks(kept, count);
    markChanged();
    revealPasswords(true);
}

void EntryTable::moveSelectedRows(MoveDirection direction) {
    const int count = rowCount();
    const std::vector<int> gathered = collectSelectedRows();
    if (gathered.empty()) {
        host_.showMessage(kSelectEntryText, kMoveCaption);
        return;
    }
    std::vector<int> oldIndex(static_cast<std::size_t>(count));
    std::iota(oldIndex.begin(), oldIndex.end(), 0);
    // A moved row is built anew at its place, masked until the reveal below.
    const auto moveRow = [&](int from, int to) {
        std::swap(rows_[static_cast<std::size_t>(from)], rows_[static_cast<std::size_t>(to)]);
        std::swap(oldIndex[static_cast<std::size_t>(from)], oldIndex[static_cast<std::size_t>(to)]);
        rows_[static_cast<std::size_t>(to)].revealed = false;
        contents_.slots.swap(from, to);
    };
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
    followMarks(oldIndex, count);
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

void EntryTable::sortByColumn(int column) {
    if (!isColumn(column)) {
        return;
    }
    int& direction = sortDirection_[static_cast<std::size_t>(column)];
    direction = direction == kAscending ? kDescending : kAscending;

    const int count = rowCount();
    // newOrder[k] is the old index of the row that ends up at k; stable, so equal rows keep
    // their relative order.
    std::vector<int> newOrder(static_cast<std::size_t>(count));
    std::iota(newOrder.begin(), newOrder.end(), 0);
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        return compareTexts(cellText(a, column), cellText(b, column), column) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const int from : newOrder) {
        sorted.push_back(rows_[static_cast<std::size_t>(from)]);
    }
    rows_ = std::move(sorted);
    contents_.slots.permute(newOrder);
    followMarks(newOrder, count);
}

void EntryTable::revealPasswords(bool startTimer) {
    for (Row& row : rows_) {
        row.revealed = true;
    }
    view_.repaintRows();
    host_.passwordsShown(true);
    if (startTimer) {
        host_.startRevealTimer();
    }
}

void EntryTable::maskPasswords() {
    for (Row& row : rows_) {
        row.revealed = false;
    }
    view_.repaintRows();
    host_.passwordsShown(false);
}

void EntryTable::toggleReveal() {
    if (cellText(0, kCellPw).starts_with(kMaskText)) {
        revealPasswords(false);
    } else {
        maskPasswords();
    }
}

void EntryTable::highlightSelection() {
    const int count = rowCount();
    for (int row = 0; row < count; ++row) {
        const bool picked = view_.rowMarks(row, kMarkFocused | kMarkSelected) != 0;
        view_.setRowMarks(row, picked ? kAllMarks : 0, kAllMarks);
    }
}

void EntryTable::clearRowMarks(int row) {
    view_.setRowMarks(row, 0, kAllMarks);
}

void EntryTable::selectOnly(int row) {
    selectOnlyRow(view_, row);
}

void EntryTable::showFoundRow(int row) {
    selectOnly(row);
    view_.bringRowIntoView(row, true);
}

} // namespace kavo
