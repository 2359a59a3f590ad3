// The "SysListView32" control that holds the entry table, and the RowView adapter over it.
#pragma once

#include <windows.h>

#include "store/row_view.h"

#include <array>

namespace kavo {

// Name, VT, ID and PW, in pixels.
using ColumnWidths = std::array<int, kCellCount>;

// Creates the report-style list (control id 300) with its four columns at these widths.
HWND createListView(HWND parent, HINSTANCE instance, const ColumnWidths& widths);

// Every list operation the table needs, as LVM_ messages to the control.
class ListViewRows final : public RowView {
  public:
    explicit ListViewRows(HWND listView) : listView_(listView) {}

    int rowCount() const override;
    int selectedRow() const override;
    int selectedCount() const override;
    std::u16string cellText(int row, int cell, int capacity) const override;
    void insertRow(int row, std::u16string_view title, std::int32_t itemData) override;
    void setCellText(int row, int cell, std::u16string_view text) override;
    void deleteRow(int row) override;
    void deleteAllRows() override;
    std::int32_t itemData(int row) const override;
    void setItemData(int row, std::int32_t data) override;
    unsigned rowMarks(int row, unsigned mask) const override;
    void setRowMarks(int row, unsigned state, unsigned mask) override;

    // The current width of column 0 to 3 in pixels.
    int columnWidth(int column) const;

  private:
    // The text handed to the control, zero-terminated; kept so its room is reused.
    const wchar_t* terminated(std::u16string_view text);

    HWND listView_;
    std::wstring scratch_;
};

// Holds the list's painting while many rows change at once, then repaints it once. Without it
// every inserted or changed row repaints and rescrolls the control, which makes loading,
// sorting or moving a thousand rows take seconds.
class ListRedrawPause {
  public:
    explicit ListRedrawPause(HWND listView);
    ~ListRedrawPause();
    ListRedrawPause(const ListRedrawPause&) = delete;
    ListRedrawPause& operator=(const ListRedrawPause&) = delete;

  private:
    HWND listView_;
};

} // namespace kavo
