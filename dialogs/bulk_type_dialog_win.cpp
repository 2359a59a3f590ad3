#include "dialogs/bulk_type_dialog_win.h"

#include "dialogs/bulk_type.h"
#include "dialogs/type_radios_win.h"
#include "lock/lock_state.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"

namespace kavo {

namespace {

// Every way the dialog closes gives the same result; nobody reads it.
constexpr INT_PTR kDialogClosed = 1;

constexpr int kOkButton = IDC_BUTTON_1;
constexpr int kCancelButton = IDC_BUTTON_2;

// What one opening of the dialog works on.
struct BulkTypeSession {
    EntryTable& table;
    const std::function<bool()>& editingAllowed;
};

void onOk(BulkTypeSession& session, HWND dialog) {
    // The session may have locked KAVO while the dialog was open.
    if (!session.editingAllowed()) {
        showOkMessage(dialog, kLockedMeanwhileMessage, kBulkTypeCaption);
        return;
    }
    const DialogTypeRadios radios(dialog);
    applyBulkType(radios, session.table);
}

// No radio starts checked; Enter and Escape (IDOK, IDCANCEL) do nothing.
INT_PTR handleBulkTypeDialog(BulkTypeSession& session, HWND dialog, UINT message, WPARAM wParam,
                             LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kOkButton:
            onOk(session, dialog);
            EndDialog(dialog, kDialogClosed);
            return TRUE;
        case kCancelButton:
            EndDialog(dialog, kDialogClosed);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        EndDialog(dialog, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void openBulkTypeDialog(HWND owner, HINSTANCE instance, EntryTable& table,
                        const std::function<bool()>& editingAllowed) {
    BulkTypeSession session{table, editingAllowed};
    runModalDialog<BulkTypeSession, handleBulkTypeDialog>(instance, IDD_BULK_TYPE, owner, session);
}

} // namespace kavo
