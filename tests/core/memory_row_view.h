// An in-memory RowView that behaves like the list view: exclusive focus, row -1 for every row,
// cell text cut to the reader's capacity, missing rows read as empty and ignore writes.
#pragma once

#include "store/row_view.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kavo {

class MemoryRowView : public RowView {
  public:
    struct Row {
        std::array<std::u16string, kCellCount> cells;
        std::int32_t itemData = 0;
        unsigned marks = 0;
    };

    int rowCount() const override { return static_cast<int>(rows_.size()); }

    int selectedRow() const override {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].marks & kMarkSelected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    int selectedCount() const override {
        return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& row) {
            return (row.marks & kMarkSelected) != 0;
        }));
    }

    std::u16string cellText(int row, int cell, int capacity) const override {
        if (!hasRow(row) || !isCell(cell) || capacity <= 0) {
            return {};
        }
        const std::u16string& text = at(row).cells[static_cast<std::size_t>(cell)];
        return text.substr(0, static_cast<std::size_t>(capacity - 1));
    }

    void insertRow(int row, std::u16string_view title, std::int32_t itemData) override {
        if (row < 0) {
            return;
        }
        Row added;
        added.cells[kCellTitle] = title;
        added.itemData = itemData;
        const auto index = std::min(static_cast<std::size_t>(row), rows_.size());
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(added));
    }

    void setCellText(int row, int cell, std::u16string_view text) override {
        if (hasRow(row) && isCell(cell)) {
            at(row).cells[static_cast<std::size_t>(cell)] = text;
        }
    }

    void deleteRow(int row) override {
        if (hasRow(row)) {
            rows_.erase(rows_.begin() + row);
        }
    }

    void deleteAllRows() override { rows_.clear(); }

    std::int32_t itemData(int row) const override { return hasRow(row) ? at(row).itemData : 0; }

    void setItemData(int row, std::int32_t data) override {
        if (hasRow(row)) {
            at(row).itemData = data;
        }
    }

    unsigned rowMarks(int row, unsigned mask) const override {
        return hasRow(row) ? at(row).marks & mask : 0;
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
            for (Row& other : rows_) {
                other.marks &= ~kMarkFocused;
            }
        }
        Row& target = at(row);
        target.marks = (target.marks & ~mask) | (state & mask);
    }

    // Test helpers.
    const Row& row(int index) const { return at(index); }
    void select(std::initializer_list<int> indices) {
        for (int index : indices) {
            setRowMarks(index, kMarkSelected, kMarkSelected);
        }
    }

  private:
    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }
    static bool isCell(int cell) { return cell >= 0 && cell < kCellCount; }
    Row& at(int row) { return rows_[static_cast<std::size_t>(row)]; }
    const Row& at(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    std::vector<Row> rows_;
};

} // namespace kavo
