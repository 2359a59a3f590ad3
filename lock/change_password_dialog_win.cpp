#include "lock/change_password_dialog_win.h"

#include "app/app_state_win.h"
#include "app/message_box_win.h"
#include "app/wide_text_win.h"
#include "lock/password_change.h"
#include "lock/secret_text_win.h"
#include "resources/resource.h"
#include "store/ansi_codec_win.h"

namespace kavo {

namespace {

struct ChangePasswordDialog {
    App& app;
    std::int32_t passModeAtOpen = 0;
};

// Null until WM_INITDIALOG has stored it.
ChangePasswordDialog* stateOf(HWND dialog) {
    return reinterpret_cast<ChangePasswordDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR onInitDialog(HWND dialog, LPARAM param) {
    SetWindowLongPtrW(dialog, DWLP_USER, param);
    auto& state = *reinterpret_cast<ChangePasswordDialog*>(param);
    state.passModeAtOpen = state.app.settings.passMode;
    SetDlgItemTextW(dialog, IDC_MASTER_PASSWORD_EDIT, wide(state.app.masterPassword.text));
    CheckDlgButton(dialog, IDC_PASS_MODE_CHECK,
                   isPassMode(state.passModeAtOpen) ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

// "変更": pass mode first, then the password; a password the file cannot hold changes nothing.
void apply(ChangePasswordDialog& state, HWND dialog) {
    App& app = state.app;
    HWND field = GetDlgItem(dialog, IDC_MASTER_PASSWORD_EDIT);
    PasswordChange change;
    {
        // The master password shown at opening is still app.masterPassword: the dialog is
        // modal, so nothing else can change it meanwhile.
        const SecretText typed(field);
        change =
            decidePasswordChange({app.masterPassword.text, state.passModeAtOpen, typed.view(),
                                  IsDlgButtonChecked(dialog, IDC_PASS_MODE_CHECK) == BST_CHECKED},
                                 ThreadAnsiCodec{});
        if (!change.refused) {
            app.settings.passMode = change.passMode;
            if (change.passwordChanged) {
                app.masterPassword.text = typed.view();
                app.dirty = true;
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

INT_PTR CALLBACK changePasswordDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
    try {
        if (message == WM_INITDIALOG) {
            return onInitDialog(dialog, lParam);
        }
        ChangePasswordDialog* state = stateOf(dialog);
        if (state == nullptr) {
            return FALSE;
        }
        switch (message) {
        case WM_COMMAND:
            return onChangeCommand(*state, dialog, LOWORD(wParam));
        case WM_CLOSE:
            EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

} // namespace

void runChangePasswordDialog(App& app) {
    ChangePasswordDialog state{app};
    DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_CHANGE_PASSWORD), app.mainWindow,
                    changePasswordDialogProc, reinterpret_cast<LPARAM>(&state));
}

} // namespace kavo
