#include "dialogs/settings_dialog_win.h"

#include "dialogs/settings_dialog.h"
#include "resources/resource.h"
#include "settings/screen_scale.h"
#include "win/dpi_win.h"
#include "win/dialog_procedure_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

// Every way the dialog closes gives the same result; nobody reads it.
constexpr INT_PTR kDialogClosed = 1;

class DialogSettingsForm final : public SettingsForm {
  public:
    explicit DialogSettingsForm(HWND dialog) : dialog_(dialog) {}

    bool isChecked(int buttonId) const override {
        return IsDlgButtonChecked(dialog_, buttonId) != BST_UNCHECKED;
    }

    void setChecked(int buttonId, bool checked) override {
        CheckDlgButton(dialog_, buttonId, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    void checkRadio(int firstId, int lastId, int checkedId) override {
        CheckRadioButton(dialog_, firstId, lastId, checkedId);
    }

    // The fields have no length limit; only the units that count are fetched.
    std::u16string text(int editId) const override {
        constexpr int kBufferUnits = static_cast<int>(kDurationFieldUnits) + 1;
        wchar_t buffer[kBufferUnits] = {};
        const UINT copied = GetDlgItemTextW(dialog_, editId, buffer, kBufferUnits);
        return fromWide(std::wstring_view(buffer, copied));
    }

    void setText(int editId, std::u16string_view text) override {
        SetDlgItemTextW(dialog_, editId, toWide(text).c_str());
    }

  private:
    HWND dialog_;
};

// One opening of the dialog; it lives while DialogBoxParamW runs.
struct SettingsDialogSession {
    SettingsRecord& settings;
    SequenceHost& host;
    const std::function<void()>& reset;
    bool closedByOk = false;
};

void onOk(SettingsDialogSession& session, HWND dialog) {
    const DialogSettingsForm form(dialog);
    confirmSettingsDialog(form, session.settings, session.host);
    session.closedByOk = true;
}

// "初": the reset is in force at once, whichever button closes the dialog afterwards.
void onReset(SettingsDialogSession& session, HWND dialog) {
    // The window's size and columns are screen pixels during the run.
    resetSettingsOnScreen(session.settings, dpiOfWindow(dialog));
    // Pass mode goes off with the reset; with the lock closed that locks.
    session.reset();
    DialogSettingsForm form(dialog);
    fillSettingsDialog(session.settings, form);
}

// Enter presses the default button ＯＫ; Escape arrives as IDCANCEL, which is not handled, so
// only Cancel and the close box close the dialog without reading it.
INT_PTR onCommand(SettingsDialogSession& session, HWND dialog, int controlId) {
    switch (controlId) {
    case IDC_SETTINGS_OK:
        onOk(session, dialog);
        EndDialog(dialog, kDialogClosed);
        return TRUE;
    case IDC_SETTINGS_CANCEL:
        EndDialog(dialog, kDialogClosed);
        return TRUE;
    case IDC_SETTINGS_RESET:
        onReset(session, dialog);
        return TRUE;
    default:
        // The auto radios, check boxes and edits manage themselves.
        return FALSE;
    }
}

INT_PTR handleSettingsDialog(SettingsDialogSession& session, HWND dialog, UINT message,
                             WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        DialogSettingsForm form(dialog);
        fillSettingsDialog(session.settings, form);
        return TRUE;
    }
    case WM_COMMAND:
        return onCommand(session, dialog, LOWORD(wParam));
    case WM_CLOSE:
        EndDialog(dialog, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool runSettingsDialog(HWND owner, HINSTANCE instance, SettingsRecord& settings, SequenceHost& host,
                       const std::function<void()>& reset) {
    SettingsDialogSession session{settings, host, reset};
    runModalDialog<SettingsDialogSession, handleSettingsDialog>(instance, IDD_SETTINGS, owner,
                                                                session);
    return session.closedByOk;
}

} // namespace kavo
