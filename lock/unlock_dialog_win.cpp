#include "lock/unlock_dialog_win.h"

#include "lock/dot_count.h"
#include "lock/input_method_win.h"
#include "lock/secret_text_win.h"
#include "lock/unlock_check.h"
#include "resources/resource.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

#include <commctrl.h>

namespace kavo {

namespace {

// The hidden input lies beyond the right edge of the client area, so it takes the keys while
// nothing of what it holds is ever seen. Multiline, so that Enter reaches it.
constexpr DWORD kHiddenInputStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
constexpr int kHiddenInputX = 800;
constexpr int kHiddenInputY = 26;
constexpr int kHiddenInputWidth = 80;
constexpr int kHiddenInputHeight = 24;
constexpr UINT_PTR kHiddenInputSubclassId = 1;

// The white field the dots are drawn in, in client pixels, and where the dots start.
constexpr RECT kDotField{10, 30, 210, 53};
constexpr int kDotsX = 13;
constexpr int kDotsY = 32;

struct UnlockDialog {
    const MasterPassword& masterPassword;
    std::u16string_view passwordFilePath;
    bool& unlocked;
    const std::function<void()>& locked;
    HWND dialog = nullptr;
    HWND hiddenInput = nullptr;
    int dotCount = 0;
};

void close(const UnlockDialog& state) {
    EndDialog(state.dialog, 1);
}

void redrawDots(const UnlockDialog& state) {
    InvalidateRect(state.dialog, &kDotField, FALSE);
}

// The dots and the typed text start again together, so the dots always show what would be
// checked: the right password typed after a typo is not appended to the typo.
void startOver(UnlockDialog& state) {
    state.dotCount = 0;
    SetWindowTextW(state.hiddenInput, L"");
    redrawDots(state);
    SetFocus(state.hiddenInput);
}

// "PW解除" and Enter: a success closes the dialog; a failure leaves it open for another try.
void runCheck(UnlockDialog& state) {
    UnlockCheck check{};
    {
        const SecretText typed(state.hiddenInput);
        check = checkMasterPassword(state.masterPassword, typed.view(), state.passwordFilePath);
    }
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

// Keys the input keeps from the dialog and from itself: a multiline edit would pass Tab on to
// the next control and turn Escape into closing the dialog. Neither is part of a password.
bool isSwallowedKey(WPARAM key) {
    return key == VK_TAB || key == VK_ESCAPE;
}

// Every key reaches the input except Enter, which runs the check instead, and Tab and Escape,
// which do nothing: the keyboard stays with the input.
LRESULT CALLBACK hiddenInputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) noexcept {
    try {
        auto& state = *reinterpret_cast<UnlockDialog*>(data);
        if (message == WM_GETDLGCODE) {
            // Every key comes here, none is taken by the dialog's own keyboard handling.
            return DefSubclassProc(input, message, wParam, lParam) | DLGC_WANTALLKEYS;
        }
        if ((message == WM_KEYDOWN && isSwallowedKey(wParam)) ||
            (message == WM_CHAR && (wParam == L'\t' || wParam == 0x1B))) {
            return 0;
        }
        if (message == WM_KEYDOWN) {
            const auto key = static_cast<unsigned>(wParam);
            if (key == kCheckKey) {
                runCheck(state);
                return 0;
            }
            const int dots = dotCountAfterKey(state.dotCount, key);
            if (dots != state.dotCount) {
                state.dotCount = dots;
                redrawDots(state);
            }
        } else if (message == WM_CHAR && wParam == kCheckKey) {
            // Enter's character neither: a line break in the text would never match.
            return 0;
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(input, hiddenInputProc, kHiddenInputSubclassId);
        }
    } catch (...) {
        // The key still reaches the input; only its dot is lost.
    }
    return DefSubclassProc(input, message, wParam, lParam);
}

INT_PTR onInitDialog(UnlockDialog& state, HWND dialog) {
    state.dialog = dialog;
    state.dotCount = 0;
    state.hiddenInput = CreateWindowExW(
        0, L"EDIT", L"", kHiddenInputStyle, kHiddenInputX, kHiddenInputY, kHiddenInputWidth,
        kHiddenInputHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HIDDEN_INPUT)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    SetWindowSubclass(state.hiddenInput, hiddenInputProc, kHiddenInputSubclassId,
                      reinterpret_cast<DWORD_PTR>(&state));
    // No composition window may ever show the typed password near the caret.
    detachInputMethod(state.hiddenInput);
    return TRUE;
}

// The field and its dots; then the keys go back to the hidden input, whatever took them.
INT_PTR onPaint(UnlockDialog& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state.dialog, &paint);
    Rectangle(dc, kDotField.left, kDotField.top, kDotField.right, kDotField.bottom);
    const std::wstring dots = toWide(dotRow(state.dotCount));
    TextOutW(dc, kDotsX, kDotsY, dots.c_str(), static_cast<int>(dots.size()));
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
