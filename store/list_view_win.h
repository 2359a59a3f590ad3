// The "SysListView32" control that shows the entry table: a virtual list (LVS_OWNERDATA) that
// asks the table for each cell it paints and keeps only the marks of its rows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "store/entry_table.h"
#include "store/row_view.h"

#include <array>
#include <vector>

namespace kavo {

// Name, VT, ID and PW, in pixels.
using ColumnWidths = std::array<int, kCellCount>;

// Creates the report-style virtual list (control id 300) with its four columns at these widths.
HWND createListView(HWND parent, HINSTANCE instance, const ColumnWidths& widths);

// The list's side of the table: its row count and marks as LVM_ messages, and the answers to
// what the control asks of its owner.
class ListViewRows final : public RowView {
  public:
    explicit ListViewRows(HWND listView) : listView_(listView) {}

    int selectedRow() const override;
    int selectedCount() const override;
    unsigned rowMarks(int row, unsigned mask) const override;
    void setRowMarks(int row, unsigned state, unsigned mask) override;
    void showRowCount(int count) override;
    void repaintRows() override;
    void bringRowIntoView(int row, bool startRange) override;
    void takeKeyboard() override;

    // LVN_GETDISPINFOW: the cell texts and the drop highlight of a row, from the table.
    void answerCellRequest(const EntryTable& table, NMLVDISPINFOW& request) const;
    // LVN_ODFINDITEMW, as typing in the list asks it: the first row from the start whose title
    // begins with (or is) the typed text, ignoring case; -1 for none.
    int findTitle(const EntryTable& table, const NMLVFINDITEMW& request) const;

    // The current width of column 0 to 3 in pixels.
    int columnWidth(int column) const;
    // Sets column 0 to 3 to this width in pixels.
    void setColumnWidth(int column, int width);
    // Draws the rows and the headers in this font, the rows as high as it needs; the caller
    // keeps the font while the list uses it.
    void useFont(HFONT font);
    // Puts the list at this place of its parent, its rows arranged again.
    void place(int x, int y, int width, int height);
    // The list has the keyboard focus.
    bool hasKeyboard() const { return GetFocus() == listView_; }

  private:
    bool isDropHilited(int row) const;

    HWND listView_;
    // The control keeps selection and focus of a virtual list itself; the drop highlight, which
    // it asks for (LVM_SETCALLBACKMASK), is kept here.
    std::vector<bool> dropHilited_;
};

} // namespace kavo
