// A hidden top-level window holding the program's real list view, so the entry table and the store
// can be driven through the very control the main window uses, without showing anything.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "settings/settings_record.h"
#include "store/list_view_win.h"

namespace kavo::testing {

class ListViewWindow {
  public:
    ListViewWindow() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_LISTVIEW_CLASSES;
        InitCommonControlsEx(&controls);

        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass); // a second window finds the class already there

        window_ = CreateWindowExW(0, kClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, kWindowWidth,
                                  kWindowHeight, nullptr, nullptr, instance, nullptr);
        SettingsRecord settings;
        settings.columnWidthName = kColumnWidth;
        settings.columnWidthType = kColumnWidth;
        settings.columnWidthId = kColumnWidth;
        settings.columnWidthPw = kColumnWidth;
        listView_ = createListView(window_, instance, columnWidthsOf(settings));
    }
    ~ListViewWindow() { DestroyWindow(window_); }
    ListViewWindow(const ListViewWindow&) = delete;
    ListViewWindow& operator=(const ListViewWindow&) = delete;

    HWND window() const { return window_; }
    HWND listView() const { return listView_; }

  private:
    static constexpr wchar_t kClassName[] = L"KavoListViewTestWindow";
    static constexpr int kWindowWidth = 400;
    static constexpr int kWindowHeight = 300;
    static constexpr int kColumnWidth = 80;

    HWND window_ = nullptr;
    HWND listView_ = nullptr;
};

} // namespace kavo::testing
