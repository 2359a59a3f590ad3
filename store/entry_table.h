// The table of log-in entries: list-view rows paired with their password slots. Every operation
// that moves rows moves the slots the same way, so row i and slot i always belong together.
#pragma once

#include "resources/texts.h"
#include "store/password_slots.h"
#include "store/row_view.h"
#include "store/store_contents.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// One row per password slot; the table never grows past it.
constexpr int kMaxRows = kSlotCount;
constexpr std::u16string_view kMaskText = u"*******";

enum class MoveDirection { Up = 0, Down = 1 };

// What the table operations need of the window around them.
class TableHost {
  public:
    virtual ~TableHost() = default;
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0; // MB_OK
    virtual void startRevealTimer() = 0; // (re)starts the reveal timer with pwShowMs
};

class EntryTable {
  public:
    EntryTable(RowView& rows, StoreContents& contents, TableHost& host);

    // Inserts a masked row at `at` (clamped to the end) with item data = its index. A full table
    // takes no row: callers check isFull() first and tell the user.
    void buildRow(int at, std::u16string_view title, std::u16string_view type,
                  std::u16string_view id);
    bool isFull() const;

    // The selected rows in ascending order; afterwards no row carries a mark.
    std::vector<int> collectSelectedRows();
    void deleteSelectedRows();
    void moveSelectedRows(MoveDirection direction);

    // Flips the column's direction, then reorders rows, marks and slots together.
    void sortByColumn(int column);
    // Sign of the order of two rows in a column under its current direction.
    int compareRows(int rowA, int rowB, int column) const;
    // 1 ascending, anything else descending.
    int sortDirection(int column) const;

    void revealPasswords(bool startTimer);
    void maskPasswords();
    // Judged by row 0 alone: a PW cell starting with the mask text counts as masked.
    void toggleReveal();
    // Turns what a click left selected or focused into the full highlight; clears other rows.
    void highlightSelection();
    void clearRowMarks(int row); // kEveryRow: every row

    RowView& rows() { return rows_; }
    PasswordSlots& slots() { return contents_.slots; }
    // Marks the contents as changed since the last save.
    void markChanged() { contents_.dirty = true; }

  private:
    int slotBackedRowCount() const;
    int compareTexts(std::u16string_view a, std::u16string_view b, int column) const;
    void moveRow(int from, int to);

    RowView& rows_;
    StoreContents& contents_;
    TableHost& host_;
    // The first click flips the value, so Name sorts descending first and the others ascending.
    std::array<int, kCellCount> sortDirection_{1, 0, 0, 0};
};

} // namespace kavo
