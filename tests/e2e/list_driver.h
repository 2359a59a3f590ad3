// Reads and selects the rows of KAVO's entry list from outside, through the list view's own
// messages. Their records and text buffers are placed inside KAVO, where the control reads them.
#pragma once

#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/remote_memory.h"

#include <array>
#include <string>
#include <vector>

namespace kavo::e2e {

// One row as the list shows it: Name, VT, ID and PW.
using ShownRow = std::array<std::u16string, 4>;

class ListDriver {
  public:
    explicit ListDriver(Kavo& kavo);

    int rowCount();
    // A missing row reads as empty text.
    std::u16string readCell(int row, int cell);
    std::vector<ShownRow> readRows();
    // Exactly these rows end up selected, the last one focused, as Ctrl+clicking them does.
    void selectRows(const std::vector<int>& rows);
    // The rows that carry the selected mark, in ascending order.
    std::vector<int> selectedRows();
    // The row lies within the rows the list shows now.
    bool rowInView(int row);
    // A screen point inside the row's first cell, where a click hits that row.
    POINT rowPoint(int row);
    // A left click on a column header; returns once KAVO has handled it.
    void clickHeader(int column);

  private:
    bool setRowMarks(int row, UINT state, UINT mask);
    LRESULT ask(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

    Kavo& kavo_;
    HWND list_;
    RemoteBuffer buffer_;
};

} // namespace kavo::e2e
