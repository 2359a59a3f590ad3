#include "lock/unlock_dialog_win.h"

#include "lock/dot_count.h"
#include "lock/input_method_win.h"
#include "lock/typed_secret.h"
#include "lock/unlock_check.h"
#include "resources/resource.h"
#include "settings/screen_scale.h"
#include "win/dpi_win.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

#include <algorithm>

namespace kavo {

namespace {

// The hidden input lies beyond the right edge of the client area, so it takes the keys while
// nothing is ever seen there. It is a window of KAVO's own, not an edit control: an edit keeps
// the text it is given, which any program may read from it (WM_GETTEXT, UI Automation) and
// paste into, a password edit included. This one is given no text at all; the characters go to
// the dialog's TypedSecret.
constexpr wchar_t kHiddenInputClass[] = L"KavoHiddenInput";
constexpr DWORD kHiddenInputStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr int kHiddenInputX = 800;
constexpr int kHiddenInputY = 26;
constexpr int kHiddenInputWidth = 80;
constexpr int kHiddenInputHeight = 24;

void secureWipe(void* data, std::size_t bytes) {
    SecureZeroMemory(data, bytes);
}

// The white field the dots are drawn in, in client pixels at 96 DPI, and where the dots start.
constexpr RECT kDotField{10, 30, 210, 53};
constexpr int kDotsX = 13;
constexpr int kDotsY = 32;

// The field at the scale of the dialog's monitor. The buttons grow with the dialog's font, which
// does not grow quite as the DPI does: the field ends where クリア begins, as it does at 100%.
RECT dotField(HWND dialog) {
    const int dpi = dpiOfWindow(dialog);
    RECT field{scaledToDpi(kDotField.left, dpi), scaledToDpi(kDotField.top, dpi),
               scaledToDpi(kDotField.right, dpi), scaledToDpi(kDotField.bottom, dpi)};
    RECT clear{};
    if (dpi != kBaseDpi && GetWindowRect(GetDlgItem(dialog, IDC_UNLOCK_CLEAR), &clear)) {
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&clear), 2);
        field.right = std::max(field.left + 1, std::min(field.right, clear.left));
    }
    return field;
}

struct UnlockDialog {
    const MasterPassword& masterPassword;
    std::u16string_view passwordFilePath;
    bool& unlocked;
    const std::function<void()>& locked;
    HWND dialog = nullptr;
    HWND hiddenInput = nullptr;
    int dotCount = 0;
    TypedSecret typed{secureWipe};
};

void close(const UnlockDialog& state) {
    EndDialog(state.dialog, 1);
}

void redrawDots(const UnlockDialog& state) {
    const RECT field = dotField(state.dialog);
    InvalidateRect(state.dialog, &field, FALSE);
}

// The dots and the typed text start again together, so the dots always show what would be
// checked: the right password typed after a typo is not appended to the typo.
void startOver(UnlockDialog& state) {
    state.dotCount = 0;
    state.typed.clear();
    redrawDots(state);
    SetFocus(state.hiddenInput);
}

// "PW解除" and Enter: a success closes the dialog; a failure leaves it open for another try.
void runCheck(UnlockDialog& state) {
    const UnlockCheck check =
        checkMasterPassword(state.masterPassword, state.typed.view(), state.passwordFilePath);
    // Wiped at once, also when the check closes the dialog.
    state.typed.clear();
    state.unlocked = check.unlocked;
    // A refusal locks: what the open lock revealed goes before the message shows.
    state.locked();
    showOkMessage(state.dialog, check.message, kUnlockCaption);
    if (check.unlocked) {
        close(state);
    } else {
        startOver(state);
    }
}

void lock(UnlockDialog& state) {
    state.unlocked = false;
    state.locked();
    showOkMessage(state.dialog, kLockedMessage, kUnlockCaption);
    close(state);
}

// Keys the input keeps from the dialog and from itself: Tab would give the keyboard to the next
// control and Escape would close the dialog. Neither is part of a password.
bool isSwallowedKey(WPARAM key) {
    return key == VK_TAB || key == VK_ESCAPE;
}

void onHiddenKeyDown(UnlockDialog& state, WPARAM key) {
    if (isSwallowedKey(key)) {
        return;
    }
    if (key == kCheckKey) {
        runCheck(state);
        return;
    }
    const int dots = dotCountAfterKey(state.dotCount, static_cast<unsigned>(key));
    if (dots != state.dotCount) {
        state.dotCount = dots;
        redrawDots(state);
    }
}

// Every key reaches the input, none is taken by the dialog's keyboard handling. The text is
// never the window's: what it is asked for is empty, what it is given or pasted is dropped.
LRESULT CALLBACK hiddenInputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(input, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(input, message, wParam, lParam);
    }
    auto* state = reinterpret_cast<UnlockDialog*>(GetWindowLongPtrW(input, GWLP_USERDATA));
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        try {
            if (state != nullptr) {
                onHiddenKeyDown(*state, wParam);
            }
        } catch (...) {
            // Out of memory for a message: the key is lost, the dialog stays.
        }
        return 0;
    case WM_CHAR:
        if (state != nullptr) {
            state->typed.onCharacter(static_cast<char16_t>(wParam));
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

INT_PTR onInitDialog(UnlockDialog& state, HWND dialog) {
    state.dialog = dialog;
    state.dotCount = 0;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    registerHiddenInputClass(instance);
    state.hiddenInput = CreateWindowExW(
        0, kHiddenInputClass, L"", kHiddenInputStyle, kHiddenInputX, kHiddenInputY,
        kHiddenInputWidth, kHiddenInputHeight, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HIDDEN_INPUT)), instance, &state);
    // No composition window may ever show the typed password near the caret.
    detachInputMethod(state.hiddenInput);
    return TRUE;
}

// The field and its dots; then the keys go back to the hidden input, whatever took them.
INT_PTR onPaint(UnlockDialog& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state.dialog, &paint);
    const int dpi = dpiOfWindow(state.dialog);
    const RECT field = dotField(state.dialog);
    Rectangle(dc, field.left, field.top, field.right, field.bottom);
    // The device context's own font is at the system's scale; on a monitor of another scale the
    // dots take the dialog's font, which Windows made for it.
    const HGDIOBJ previousFont =
        dpi != systemDpi()
            ? SelectObject(dc,
                           reinterpret_cast<HGDIOBJ>(SendMessageW(state.dialog, WM_GETFONT, 0, 0)))
            : nullptr;
    const std::wstring dots = toWide(dotRow(state.dotCount));
    TextOutW(dc, scaledToDpi(kDotsX, dpi), scaledToDpi(kDotsY, dpi), dots.c_str(),
             static_cast<int>(dots.size()));
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
    EndPaint(state.dialog, &paint);
    SetFocus(state.hiddenInput);
    return TRUE;
}

INT_PTR onUnlockCommand(UnlockDialog& state, int id) {
    switch (id) {
    case IDC_UNLOCK_CHECK:
        runCheck(state);
        return TRUE;
    case IDC_UNLOCK_LOCK:
        lock(state);
        return TRUE;
    case IDC_UNLOCK_CLEAR:
        startOver(state);
        return TRUE;
    case IDC_UNLOCK_CLOSE:
        close(state);
        return TRUE;
    default:
        // Escape's IDCANCEL included: it does nothing here.
        return FALSE;
    }
}

INT_PTR handleUnlockDialog(UnlockDialog& state, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(state, dialog);
    case WM_PAINT:
        return onPaint(state);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A click anywhere on the dialog gives the keyboard back to the input.
        SetFocus(state.hiddenInput);
        return TRUE;
    case WM_COMMAND:
        return onUnlockCommand(state, LOWORD(wParam));
    case WM_CLOSE:
        close(state);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void runUnlockDialog(HWND owner, HINSTANCE instance, const MasterPassword& masterPassword,
                     std::u16string_view passwordFilePath, bool& unlocked,
                     const std::function<void()>& locked) {
    UnlockDialog state{masterPassword, passwordFilePath, unlocked, locked};
    runModalDialog<UnlockDialog, handleUnlockDialog>(instance, IDD_UNLOCK, owner, state);
}

} // namespace kavo
