#include "store/list_view_win.h"

#include "resources/resource.h"
#include "win/wide_text_win.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr const wchar_t* kColumnHeaders[kCellCount] = {L"Name", L"VT", L"ID", L"PW"};

// The size the control is created with; the first WM_SIZE of the main window resizes it.
constexpr int kInitialWidth = 350;
constexpr int kInitialHeight = 300;

// Selection and focus, which the control keeps for a virtual list.
constexpr unsigned kControlMarks = kMarkFocused | kMarkSelected;

bool titleMatches(std::u16string_view title, std::wstring_view typed, bool partial) {
    if (typed.size() > title.size() || (!partial && typed.size() != title.size())) {
        return false;
    }
    const auto length = static_cast<int>(typed.size());
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                          reinterpret_cast<const wchar_t*>(title.data()), length, typed.data(),
                          length) == CSTR_EQUAL;
}

} // namespace

HWND createListView(HWND parent, HINSTANCE instance, const ColumnWidths& widths) {
    HWND list = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0,
        0, kInitialWidth, kInitialHeight, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST_VIEW)), instance, nullptr);
    const LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 extended | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SendMessageW(list, LVM_SETCALLBACKMASK, LVIS_DROPHILITED, 0);
    for (int index = 0; index < kCellCount; ++index) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[static_cast<std::size_t>(index)];
        column.pszText = const_cast<wchar_t*>(kColumnHeaders[index]);
        column.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

int ListViewRows::selectedRow() const {
    return static_cast<int>(
        SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListViewRows::selectedCount() const {
    return static_cast<int>(SendMessageW(listView_, LVM_GETSELECTEDCOUNT, 0, 0));
}

bool ListViewRows::isDropHilited(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < dropHilited_.size() &&
           dropHilited_[static_cast<std::size_t>(row)];
}

unsigned ListViewRows::rowMarks(int row, unsigned mask) const {
    const auto kept = static_cast<unsigned>(
        SendMessageW(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask & kControlMarks));
    return ((kept & kControlMarks) | (isDropHilited(row) ? kMarkDropHilited : 0)) & mask;
}

void ListViewRows::setRowMarks(int row, unsigned state, unsigned mask) {
    if ((mask & kMarkDropHilited) != 0) {
        const bool on = (state & kMarkDropHilited) != 0;
        if (row == kEveryRow) {
            std::fill(dropHilited_.begin(), dropHilited_.end(), on);
            InvalidateRect(listView_, nullptr, FALSE);
        } else if (row >= 0 && static_cast<std::size_t>(row) < dropHilited_.size()) {
            dropHilited_[static_cast<std::size_t>(row)] = on;
            SendMessageW(listView_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
        }
    }
    if ((mask & kControlMarks) != 0) {
        LVITEMW item{};
        item.stateMask = mask & kControlMarks;
        item.state = state & kControlMarks;
        SendMessageW(listView_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void ListViewRows::showRowCount(int count) {
    dropHilited_.resize(static_cast<std::size_t>(std::max(count, 0)), false);
    SendMessageW(listView_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
    InvalidateRect(listView_, nullptr, TRUE);
}

void ListViewRows::repaintRows() {
    InvalidateRect(listView_, nullptr, TRUE);
}

void ListViewRows::bringRowIntoView(int row, bool startRange) {
    if (startRange) {
        SendMessageW(listView_, LVM_SETSELECTIONMARK, 0, row);
    }
    SendMessageW(listView_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListViewRows::takeKeyboard() {
    SetFocus(listView_);
}

void ListViewRows::answerCellRequest(const EntryTable& table, NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        // Cut to the room the control gave, terminator included.
        const std::u16string_view text = table.cellText(item.iItem, item.iSubItem);
        const std::size_t units =
            std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::copy_n(text.begin(), units, reinterpret_cast<char16_t*>(item.pszText));
        item.pszText[units] = L'\0';
    }
    if ((item.mask & LVIF_STATE) != 0 && (item.stateMask & LVIS_DROPHILITED) != 0) {
        item.state = (item.state & ~static_cast<UINT>(LVIS_DROPHILITED)) |
                     (isDropHilited(item.iItem) ? LVIS_DROPHILITED : 0);
    }
}

int ListViewRows::findTitle(const EntryTable& table, const NMLVFINDITEMW& request) const {
    const LVFINDINFOW& find = request.lvfi;
    const int count = table.rowCount();
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr || count == 0) {
        return -1;
    }
    const std::wstring_view typed(find.psz);
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    const int start = request.iStart >= 0 && request.iStart < count ? request.iStart : 0;
    const int tries = (find.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < tries; ++step) {
        const int row = (start + step) % count;
        if (titleMatches(table.cellText(row, kCellTitle), typed, partial)) {
            return row;
        }
    }
    return -1;
}

void ListViewRows::place(int x, int y, int width, int height) {
    MoveWindow(listView_, x, y, width, height, TRUE);
    SendMessageW(listView_, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
}

int ListViewRows::columnWidth(int column) const {
    return static_cast<int>(
        SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListViewRows::setColumnWidth(int column, int width) {
    SendMessageW(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void ListViewRows::useFont(HFONT font) {
    SendMessageW(listView_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

} // namespace kavo
