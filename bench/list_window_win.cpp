// A second floor for KAVO's start-up: the bare window plus what any program showing a table of
// 1000 entries needs, the common controls and a four-column report list view filled with 1000
// rows of texts as long as KAVO's. No toolbar, no files, no menu.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 4;

LRESULT CALLBACK listWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void fill(HWND list) {
    for (int column = 0; column < kColumns; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        header.cx = 70;
        header.pszText = const_cast<wchar_t*>(L"Name");
        header.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < kRows; ++row) {
        wchar_t title[32];
        wchar_t id[32];
        wsprintfW(title, L"entry %d", row);
        wsprintfW(id, L"user%d", row);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        item.pszText = title;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const wchar_t* cells[] = {L"B", id, L"*******"};
        for (int cell = 1; cell < kColumns; ++cell) {
            LVITEMW text{};
            text.iSubItem = cell;
            text.pszText = const_cast<wchar_t*>(cells[cell - 1]);
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&text));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = listWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = L"List Window";
    if (RegisterClassExW(&windowClass) == 0) {
        return 0;
    }
    HWND window = CreateWindowExW(0, L"List Window", L"list", WS_OVERLAPPEDWINDOW, 0, 0, 300, 350,
                                  nullptr, nullptr, instance, nullptr);
    InitCommonControls();
    HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0,
                        24, 300, 300, window, nullptr, instance, nullptr);
    fill(list);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
