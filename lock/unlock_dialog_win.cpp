#include "lock/unlock_dialog_win.h"

#include "lock/hidden_input_win.h"
#include "lock/unlock_check.h"
#include "resources/resource.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

// The hidden input lies beyond the right edge of the client area, so it takes the keys while
// nothing is ever seen there (lock/hidden_input_win.h).
struct UnlockDialog final : DottedInput {
    UnlockDialog(const MasterPassword& master, std::u16string_view path, bool& unlockedFlag,
                 const std::function<void()>& lockedHook)
        : masterPassword(master), passwordFilePath(path), unlocked(unlockedFlag),
          locked(lockedHook) {}
    void onEnter() override;

    const MasterPassword& masterPassword;
    std::u16string_view passwordFilePath;
    bool& unlocked;
    const std::function<void()>& locked;
};

void close(const UnlockDialog& state) {
    EndDialog(state.dialog, 1);
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
        state.startOver();
    }
}

void UnlockDialog::onEnter() {
    runCheck(*this);
}

void lock(UnlockDialog& state) {
    state.unlocked = false;
    state.locked();
    showOkMessage(state.dialog, kLockedMessage, kUnlockCaption);
    close(state);
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
        state.startOver();
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
        state.attach(dialog);
        return TRUE;
    case WM_PAINT:
        return state.paint();
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A click anywhere on the dialog gives the keyboard back to the input.
        state.takeKeyboard();
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
