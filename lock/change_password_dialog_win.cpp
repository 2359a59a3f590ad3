#include "lock/change_password_dialog_win.h"

#include "lock/input_method_win.h"
#include "lock/password_change.h"
#include "lock/secret_text_win.h"
#include "resources/resource.h"
#include "store/ansi_codec_win.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

struct ChangePasswordDialog {
    StoreContents& store;
    std::int32_t& passMode;
    const LockHooks& lock;
    std::int32_t passModeAtOpen = 0;
};

INT_PTR onInitDialog(ChangePasswordDialog& state, HWND dialog) {
    state.passModeAtOpen = state.passMode;
    // Shown in clear, but like any password field it takes no input method.
    detachInputMethod(GetDlgItem(dialog, IDC_MASTER_PASSWORD_EDIT));
    SetDlgItemTextW(dialog, IDC_MASTER_PASSWORD_EDIT, wide(state.store.masterPassword.text));
    CheckDlgButton(dialog, IDC_PASS_MODE_CHECK,
                   isPassMode(state.passModeAtOpen) ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

// "変更": pass mode first, then the password; a password the file cannot hold changes nothing.
void apply(ChangePasswordDialog& state, HWND dialog) {
    // The session may have locked KAVO while the dialog was open.
    if (!state.lock.editingAllowed()) {
        showOkMessage(dialog, kLockedMeanwhileMessage, kChangePasswordCaption);
        EndDialog(dialog, 1);
        return;
    }
    HWND field = GetDlgItem(dialog, IDC_MASTER_PASSWORD_EDIT);
    PasswordChange change;
    {
        // The master password shown at opening is still state.store.masterPassword: the dialog is
        // modal and commands wait until it closes, so nothing else can change it meanwhile.
        const SecretText typed(field);
        change = decidePasswordChange(
            {state.store.masterPassword.text, state.passModeAtOpen, typed.view(),
             IsDlgButtonChecked(dialog, IDC_PASS_MODE_CHECK) == BST_CHECKED},
            ThreadAnsiCodec{});
        if (!change.refused) {
            state.passMode = change.passMode;
            // Pass mode switched off with the lock closed: that is locking too.
            state.lock.mayHaveLocked();
            if (change.passwordChanged) {
                state.store.masterPassword.text = typed.view();
                // A new master password gets a key of its own, with a new salt, at the save.
                state.store.protection.key.reset();
                // A new password replaces one that could not be read.
                state.store.masterPassword.unknown = false;
                state.store.dirty = true;
            }
        }
    }
    for (const std::u16string_view message : change.messages) {
        showOkMessage(dialog, message, kChangePasswordCaption);
    }
    if (change.refused) {
        SetFocus(field);
    } else {
        EndDialog(dialog, 1);
    }
}

INT_PTR onChangeCommand(ChangePasswordDialog& state, HWND dialog, int id) {
    switch (id) {
    case IDC_CHANGE_APPLY:
        apply(state, dialog);
        return TRUE;
    case IDC_CHANGE_CLOSE:
        EndDialog(dialog, 1);
        return TRUE;
    default:
        // Escape's IDCANCEL included: it does nothing here.
        return FALSE;
    }
}

INT_PTR handleChangePasswordDialog(ChangePasswordDialog& state, HWND dialog, UINT message,
                                   WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(state, dialog);
    case WM_COMMAND:
        return onChangeCommand(state, dialog, LOWORD(wParam));
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void runChangePasswordDialog(HWND owner, HINSTANCE instance, StoreContents& store,
                             std::int32_t& passMode, const LockHooks& lock) {
    ChangePasswordDialog state{store, passMode, lock};
    runModalDialog<ChangePasswordDialog, handleChangePasswordDialog>(instance, IDD_CHANGE_PASSWORD,
                                                                     owner, state);
}

} // namespace kavo
