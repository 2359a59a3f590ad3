#include "dialogs/protection_dialog_win.h"

#include "dialogs/protection_choice.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "store/text_format.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

struct ProtectionDialog {
    const DataProtection& current;
    bool hasMasterPassword;
    std::optional<Protection> result;
};

constexpr struct {
    int id;
    Protection protection;
} kRadios[] = {{IDC_PROTECTION_SCRAMBLED, Protection::Scrambled},
               {IDC_PROTECTION_MASTER, Protection::MasterPassword},
               {IDC_PROTECTION_WINDOWS, Protection::WindowsUser}};

int radioOf(Protection protection) {
    for (const auto& radio : kRadios) {
        if (radio.protection == protection) {
            return radio.id;
        }
    }
    return IDC_PROTECTION_SCRAMBLED;
}

Protection checkedProtection(HWND dialog) {
    for (const auto& radio : kRadios) {
        if (IsDlgButtonChecked(dialog, radio.id) == BST_CHECKED) {
            return radio.protection;
        }
    }
    return Protection::Scrambled;
}

INT_PTR onInitDialog(const ProtectionDialog& state, HWND dialog) {
    const std::wstring onDisk =
        toWide(formatText(kProtectionOnDiskText, {protectionName(state.current.onDisk)}));
    SetDlgItemTextW(dialog, IDC_PROTECTION_ON_DISK, onDisk.c_str());
    CheckRadioButton(dialog, IDC_PROTECTION_SCRAMBLED, IDC_PROTECTION_WINDOWS,
                     radioOf(state.current.chosen));
    return TRUE;
}

void onOk(ProtectionDialog& state, HWND dialog) {
    const Protection picked = checkedProtection(dialog);
    switch (protectionStep(picked, state.current, state.hasMasterPassword)) {
    case ProtectionStep::NeedsMasterPassword:
        showMessageBox(dialog, kProtectionNeedsMasterText, kProtectionCaption,
                       MB_OK | MB_ICONINFORMATION);
        return; // the dialog stays for another choice
    case ProtectionStep::ConfirmScrambled:
        if (showMessageBox(dialog, kProtectionBackToScrambledText, kProtectionCaption,
                           MB_YESNO | MB_ICONWARNING) != IDYES) {
            return;
        }
        state.result = picked;
        break;
    case ProtectionStep::Take:
        state.result = picked;
        break;
    case ProtectionStep::Unchanged:
        break;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR handleProtectionDialog(ProtectionDialog& state, HWND dialog, UINT message, WPARAM wParam,
                               LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(state, dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            onOk(state, dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<Protection> runProtectionDialog(HWND owner, HINSTANCE instance,
                                              const DataProtection& current,
                                              bool hasMasterPassword) {
    ProtectionDialog state{current, hasMasterPassword, std::nullopt};
    runModalDialog<ProtectionDialog, handleProtectionDialog>(instance, IDD_PROTECTION, owner,
                                                             state);
    return state.result;
}

} // namespace kavo
