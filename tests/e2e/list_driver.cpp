#include "tests/e2e/list_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace kavo::e2e {

namespace {

// The record sits at the start of the remote block, the text buffer after it. Cells hold at
// most 255 units, so a read never fills the buffer.
constexpr std::size_t kTextOffset = (sizeof(LVITEMW) + 15) / 16 * 16;
constexpr int kTextCapacity = 512;
constexpr std::size_t kTextBytes = kTextCapacity * sizeof(wchar_t);
constexpr std::size_t kBufferBytes = kTextOffset + kTextBytes;
constexpr UINT kAllMarks = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;
constexpr UINT kAnswerTimeoutMs = 5000;

} // namespace

ListDriver::ListDriver(Kavo& kavo)
    : kavo_(kavo), list_(kavo.listView()), buffer_(kavo.process(), kBufferBytes) {
    EXPECT_NE(list_, nullptr) << "KAVO's list view is missing";
}

LRESULT ListDriver::ask(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(target, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                              kAnswerTimeoutMs, &result) != 0;
    EXPECT_TRUE(answered) << "the list view did not answer message " << message;
    return static_cast<LRESULT>(result);
}

int ListDriver::rowCount() {
    return static_cast<int>(ask(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::u16string ListDriver::readCell(int row, int cell) {
    LVITEMW item{};
    item.iSubItem = cell;
    item.pszText = static_cast<wchar_t*>(buffer_.at(kTextOffset));
    item.cchTextMax = kTextCapacity;
    const wchar_t empty = L'\0';
    if (!buffer_.write(0, &item, sizeof(item)) ||
        !buffer_.write(kTextOffset, &empty, sizeof(empty))) {
        ADD_FAILURE() << "cannot write into KAVO's memory";
        return u"";
    }
    ask(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer_.at(0)));
    std::array<char16_t, kTextCapacity> text{};
    if (!buffer_.read(kTextOffset, text.data(), kTextBytes)) {
        ADD_FAILURE() << "cannot read KAVO's memory";
        return u"";
    }
    text.back() = u'\0';
    return std::u16string(text.data());
}

std::vector<ShownRow> ListDriver::readRows() {
    std::vector<ShownRow> rows(static_cast<std::size_t>(rowCount()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t cell = 0; cell < rows[row].size(); ++cell) {
            rows[row][cell] = readCell(static_cast<int>(row), static_cast<int>(cell));
        }
    }
    return rows;
}

bool ListDriver::setRowMarks(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    if (!buffer_.write(0, &item, sizeof(item))) {
        ADD_FAILURE() << "cannot write into KAVO's memory";
        return false;
    }
    return ask(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(buffer_.at(0))) != 0;
}

void ListDriver::selectRows(const std::vector<int>& rows) {
    // Row -1 addresses every row.
    setRowMarks(-1, 0, kAllMarks);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const UINT marks = i + 1 == rows.size() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
        EXPECT_TRUE(setRowMarks(rows[i], marks, marks)) << "cannot select row " << rows[i];
    }
}

std::vector<int> ListDriver::selectedRows() {
    // One question per selected row, not per row: a thousand rows are read quickly.
    std::vector<int> selected;
    auto row =
        static_cast<int>(ask(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    while (row >= 0) {
        selected.push_back(row);
        row =
            static_cast<int>(ask(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
    }
    return selected;
}

bool ListDriver::rowInView(int row) {
    const auto top = static_cast<int>(ask(list_, LVM_GETTOPINDEX, 0, 0));
    const auto shown = static_cast<int>(ask(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    return row >= top && row < top + shown;
}

POINT ListDriver::rowPoint(int row) {
    RECT rect{};
    rect.left = LVIR_LABEL;
    if (!buffer_.write(0, &rect, sizeof(rect)) ||
        ask(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
            reinterpret_cast<LPARAM>(buffer_.at(0))) == 0 ||
        !buffer_.read(0, &rect, sizeof(rect))) {
        ADD_FAILURE() << "no rectangle for row " << row;
    }
    POINT point{rect.left + 12, (rect.top + rect.bottom) / 2};
    ClientToScreen(list_, &point);
    return point;
}

void ListDriver::clickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(ask(list_, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr) << "the list view has no header";
    RECT rect{};
    ASSERT_TRUE(ask(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(buffer_.at(0))) != 0)
        << "no header for column " << column;
    ASSERT_TRUE(buffer_.read(0, &rect, sizeof(rect)));
    const LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(header, WM_LBUTTONUP, 0, middle);
    kavo_.settle();
}

} // namespace kavo::e2e
