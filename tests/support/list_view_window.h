// A hidden top-level window holding the program's real list view, so the entry table and the store
// can be driven through the very control the main window uses, without showing anything.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "settings/settings_record.h"
#include "store/list_view_win.h"

#include <functional>

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
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass); // a second window finds the class already there

        window_ = CreateWindowExW(0, kClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, kWindowWidth,
                                  kWindowHeight, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    // What the window answers to the list's notifications (its cells, above all), as the main
    // window does; without it they go unanswered.
    std::function<LRESULT(NMHDR&)> onNotify;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ListViewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self != nullptr && self->onNotify) {
            return self->onNotify(*reinterpret_cast<NMHDR*>(lParam));
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static constexpr wchar_t kClassName[] = L"KavoListViewTestWindow";
    static constexpr int kWindowWidth = 400;
    static constexpr int kWindowHeight = 300;
    static constexpr int kColumnWidth = 80;

    HWND window_ = nullptr;
    HWND listView_ = nullptr;
};

} // namespace kavo::testing
