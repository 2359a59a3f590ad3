// The list-view operations the entry table relies on. The Win32 shell implements them with LVM_
// messages; the tests use an in-memory stand-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
    virtual int rowCount() const = 0;
    virtual int selectedRow() const = 0; // lowest selected index, or -1
    virtual int selectedCount() const = 0;
    // At most capacity-1 units; a missing row gives empty text.
    virtual std::u16string cellText(int row, int cell, int capacity) const = 0;
    // A row past the end is appended.
    virtual void insertRow(int row, std::u16string_view title, std::int32_t itemData) = 0;
    virtual void setCellText(int row, int cell,
                             std::u16string_view text) = 0; // missing row: nothing
    virtual void deleteRow(int row) = 0;
    virtual void deleteAllRows() = 0;
    virtual std::int32_t itemData(int row) const = 0;
    virtual void setItemData(int row, std::int32_t data) = 0;
    virtual unsigned rowMarks(int row, unsigned mask) const = 0;
    // Row kEveryRow: every row. Focus is exclusive: setting it on a row takes it from the others.
    virtual void setRowMarks(int row, unsigned state, unsigned mask) = 0;
};

// Makes the row the only selected and focused one, with the full highlight a click leaves.
inline void selectOnlyRow(RowView& rows, int row) {
    rows.setRowMarks(kEveryRow, 0, kAllMarks);
    rows.setRowMarks(row, kAllMarks, kAllMarks);
}

} // namespace kavo
