// An in-memory list for the entry table that behaves like the virtual list view: marks kept per
// index, exclusive focus, row -1 for every row, rows past the count without marks.
#pragma once

#include "store/row_view.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

namespace kavo {

class MemoryRowView : public RowView {
  public:
    int selectedRow() const override {
        for (std::size_t i = 0; i < marks_.size(); ++i) {
            if (marks_[i] & kMarkSelected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    int selectedCount() const override {
        return static_cast<int>(std::count_if(marks_.begin(), marks_.end(),
                                              [](unsigned m) { return (m & kMarkSelected) != 0; }));
    }

    unsigned rowMarks(int row, unsigned mask) const override {
        return hasRow(row) ? marks_[static_cast<std::size_t>(row)] & mask : 0;
    }

    void setRowMarks(int row, unsigned state, unsigned mask) override {
        if (row == kEveryRow) {
            for (int each = 0; each < rowCount(); ++each) {
                setRowMarks(each, state, mask);
            }
            return;
        }
        if (!hasRow(row)) {
            return;
        }
        if (mask & state & kMarkFocused) {
            for (unsigned& other : marks_) {
                other &= ~kMarkFocused;
            }
        }
        unsigned& target = marks_[static_cast<std::size_t>(row)];
        target = (target & ~mask) | (state & mask);
    }

    void showRowCount(int count) override {
        marks_.resize(static_cast<std::size_t>(std::max(count, 0)), 0);
        ++repaints;
    }
    void repaintRows() override { ++repaints; }
    void bringRowIntoView(int row, bool) override { shownRow = row; }
    void takeKeyboard() override {}

    // Test helpers.
    int rowCount() const { return static_cast<int>(marks_.size()); }
    void select(std::initializer_list<int> indices) {
        for (int index : indices) {
            setRowMarks(index, kMarkSelected, kMarkSelected);
        }
    }
    int repaints = 0;
    int shownRow = -1;

  private:
    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }

    std::vector<unsigned> marks_;
};

} // namespace kavo
