#include "lock/hidden_input_win.h"

#include "lock/dot_count.h"
#include "lock/input_method_win.h"
#include "resources/resource.h"
#include "settings/screen_scale.h"
#include "win/dpi_win.h"
#include "win/wide_text_win.h"

#include <algorithm>

namespace kavo {

namespace {

// An edit control keeps the text it is given, which any program may read from it (WM_GETTEXT,
// UI Automation) and paste into, a password edit included. This window is given no text at all;
// the characters go to the sink.
constexpr wchar_t kHiddenInputClass[] = L"KavoHiddenInput";
constexpr DWORD kHiddenInputStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr int kHiddenInputX = 800;
constexpr int kHiddenInputY = 26;
constexpr int kHiddenInputWidth = 80;
constexpr int kHiddenInputHeight = 24;

// The white field and where the dots start, in client pixels at 96 DPI.
constexpr RECT kDotField{10, 30, 210, 53};
constexpr int kDotsX = 13;
constexpr int kDotsY = 32;

bool isSwallowedKey(WPARAM key) {
    return key == VK_TAB || key == VK_ESCAPE;
}

// Every key reaches the input, none is taken by the dialog's keyboard handling. The text is
// never the window's: what it is asked for is empty, what it is given or pasted is dropped.
LRESULT CALLBACK hiddenInputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(input, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(input, message, wParam, lParam);
    }
    auto* sink = reinterpret_cast<HiddenInputSink*>(GetWindowLongPtrW(input, GWLP_USERDATA));
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        try {
            if (sink != nullptr && !isSwallowedKey(wParam)) {
                sink->onKeyDown(wParam);
            }
        } catch (...) {
            // Out of memory for a message: the key is lost, the dialog stays.
        }
        return 0;
    case WM_CHAR:
        if (sink != nullptr) {
            sink->onCharacter(static_cast<char16_t>(wParam));
        }
        return 0;
    case WM_GETTEXT:
        if (wParam > 0 && lParam != 0) {
            reinterpret_cast<wchar_t*>(lParam)[0] = L'\0';
        }
        return 0;
    case WM_GETTEXTLENGTH:
    case WM_PASTE:
        return 0;
    case WM_SETTEXT:
        return TRUE;
    default:
        return DefWindowProcW(input, message, wParam, lParam);
    }
}

void registerHiddenInputClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = hiddenInputProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    windowClass.lpszClassName = kHiddenInputClass;
    // Registered by the first dialog of the run; later ones find it there.
    RegisterClassExW(&windowClass);
}

} // namespace

HWND createHiddenInput(HWND dialog, HiddenInputSink& sink) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    registerHiddenInputClass(instance);
    HWND input = CreateWindowExW(0, kHiddenInputClass, L"", kHiddenInputStyle, kHiddenInputX,
                                 kHiddenInputY, kHiddenInputWidth, kHiddenInputHeight, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HIDDEN_INPUT)),
                                 instance, &sink);
    // No composition window may ever show the typed password near the caret.
    detachInputMethod(input);
    return input;
}

// The buttons grow with the dialog's font, which does not grow quite as the DPI does: the field
// ends where the unlock dialog's クリア begins, as it does at 100%.
RECT dotField(HWND dialog) {
    const int dpi = dpiOfWindow(dialog);
    RECT field{scaledToDpi(kDotField.left, dpi), scaledToDpi(kDotField.top, dpi),
               scaledToDpi(kDotField.right, dpi), scaledToDpi(kDotField.bottom, dpi)};
    RECT clear{};
    const HWND clearButton = GetDlgItem(dialog, IDC_UNLOCK_CLEAR);
    if (dpi != kBaseDpi && clearButton != nullptr && GetWindowRect(clearButton, &clear)) {
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&clear), 2);
        field.right = std::max(field.left + 1, std::min(field.right, clear.left));
    }
    return field;
}

void paintDotField(HWND dialog, HDC dc, int dotCount) {
    const int dpi = dpiOfWindow(dialog);
    const RECT field = dotField(dialog);
    Rectangle(dc, field.left, field.top, field.right, field.bottom);
    // The device context's own font is at the system's scale; on a monitor of another scale the
    // dots take the dialog's font, which Windows made for it.
    const HGDIOBJ previousFont =
        dpi != systemDpi()
            ? SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)))
            : nullptr;
    const std::wstring dots = toWide(dotRow(dotCount));
    TextOutW(dc, scaledToDpi(kDotsX, dpi), scaledToDpi(kDotsY, dpi), dots.c_str(),
             static_cast<int>(dots.size()));
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
}

void secureWipe(void* data, std::size_t bytes) {
    SecureZeroMemory(data, bytes);
}

void DottedInput::onKeyDown(WPARAM key) {
    if (key == kCheckKey) {
        onEnter();
        return;
    }
    const int dots = dotCountAfterKey(dotCount, static_cast<unsigned>(key));
    if (dots != dotCount) {
        dotCount = dots;
        redrawDots();
    }
}

void DottedInput::attach(HWND dialogWindow) {
    dialog = dialogWindow;
    dotCount = 0;
    hiddenInput = createHiddenInput(dialog, *this);
}

void DottedInput::startOver() {
    dotCount = 0;
    typed.clear();
    redrawDots();
    takeKeyboard();
}

void DottedInput::redrawDots() const {
    const RECT field = dotField(dialog);
    InvalidateRect(dialog, &field, FALSE);
}

INT_PTR DottedInput::paint() {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(dialog, &paintStruct);
    paintDotField(dialog, dc, dotCount);
    EndPaint(dialog, &paintStruct);
    takeKeyboard();
    return TRUE;
}

} // namespace kavo
