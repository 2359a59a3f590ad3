// The list that shows the entry table. It holds no text of its own: it asks the table for the
// cells it paints (a virtual list) and keeps only the number of rows and each row's marks. The
// Win32 shell implements it with LVM_ messages; the tests use an in-memory stand-in.
#pragma once

namespace kavo {

// Mark bits, same values as the list view's LVIS_FOCUSED / LVIS_SELECTED / LVIS_DROPHILITED.
constexpr unsigned kMarkFocused = 0x1, kMarkSelected = 0x2, kMarkDropHilited = 0x8;
constexpr unsigned kAllMarks = kMarkFocused | kMarkSelected | kMarkDropHilited; // 11

// The four cells of a row: title, type letter, user ID, password (masked or revealed).
constexpr int kCellTitle = 0, kCellType = 1, kCellId = 2, kCellPw = 3;
constexpr int kCellCount = 4;

// Passing this as the row of setRowMarks applies the marks to every row.
constexpr int kEveryRow = -1;

class RowView {
  public:
    virtual ~RowView() = default;
    virtual int selectedRow() const = 0; // lowest selected index, or -1
    virtual int selectedCount() const = 0;
    // A row past the end has no marks.
    virtual unsigned rowMarks(int row, unsigned mask) const = 0;
    // Row kEveryRow: every row. Focus is exclusive: setting it on a row takes it from the others.
    virtual void setRowMarks(int row, unsigned state, unsigned mask) = 0;
    // The list has this many rows now, and paints every row it shows again. Marks of rows that
    // are gone go with them; the others stay on their index.
    virtual void showRowCount(int count) = 0;
    // The cells of the rows changed: paint what shows again.
    virtual void repaintRows() = 0;
    // Scrolls the row into view; with startRange, a Shift-click range starts there too, as after
    // a click on it.
    virtual void bringRowIntoView(int row, bool startRange) = 0;
    // Gives the list the keyboard.
    virtual void takeKeyboard() = 0;
};

// Makes the row the only selected and focused one, with the full highlight a click leaves.
inline void selectOnlyRow(RowView& rows, int row) {
    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    rows.setRowMarks(row, kAllMarks, kAllMarks);
}

} // namespace kavo
