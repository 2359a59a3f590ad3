#include "store/list_view_win.h"

#include "resources/resource.h"
#include "win/wide_text_win.h"

#include <commctrl.h>

#include <vector>

namespace kavo {

namespace {

constexpr const wchar_t* kColumnHeaders[kCellCount] = {L"Name", L"VT", L"ID", L"PW"};

// The size the control is created with; the first WM_SIZE of the main window resizes it.
constexpr int kInitialWidth = 350;
constexpr int kInitialHeight = 300;

} // namespace

HWND createListView(HWND parent, HINSTANCE instance, const ColumnWidths& widths) {
    HWND list = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
        kInitialWidth, kInitialHeight, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST_VIEW)), instance, nullptr);
    const LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 extended | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
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

int ListViewRows::rowCount() const {
    return static_cast<int>(SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0));
}

int ListViewRows::selectedRow() const {
    return static_cast<int>(
        SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListViewRows::selectedCount() const {
    return static_cast<int>(SendMessageW(listView_, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::u16string ListViewRows::cellText(int row, int cell, int capacity) const {
    if (capacity <= 0) {
        return std::u16string();
    }
    // Zeroed first: a missing row delivers no text and must read as empty.
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity), L'\0');
    LVITEMW item{};
    item.iSubItem = cell;
    item.pszText = buffer.data();
    item.cchTextMax = capacity;
    SendMessageW(listView_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    buffer.back() = L'\0';
    return fromWide(buffer.data());
}

const wchar_t* ListViewRows::terminated(std::u16string_view text) {
    scratch_.assign(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    return scratch_.c_str();
}

void ListViewRows::insertRow(int row, std::u16string_view title, std::int32_t itemData) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(terminated(title));
    item.lParam = itemData;
    SendMessageW(listView_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewRows::setCellText(int row, int cell, std::u16string_view text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = cell;
    item.pszText = const_cast<wchar_t*>(terminated(text));
    SendMessageW(listView_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewRows::deleteRow(int row) {
    SendMessageW(listView_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListViewRows::deleteAllRows() {
    SendMessageW(listView_, LVM_DELETEALLITEMS, 0, 0);
}

std::int32_t ListViewRows::itemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(listView_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return 0;
    }
    return static_cast<std::int32_t>(item.lParam);
}

void ListViewRows::setItemData(int row, std::int32_t data) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(listView_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

unsigned ListViewRows::rowMarks(int row, unsigned mask) const {
    return static_cast<unsigned>(
        SendMessageW(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

void ListViewRows::setRowMarks(int row, unsigned state, unsigned mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(listView_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

ListRedrawPause::ListRedrawPause(HWND listView) : listView_(listView) {
    SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
}

ListRedrawPause::~ListRedrawPause() {
    SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listView_, nullptr, TRUE);
}

int ListViewRows::columnWidth(int column) const {
    return static_cast<int>(
        SendMessageW(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

} // namespace kavo
