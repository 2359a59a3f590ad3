#include "dialogs/entry_dialog_win.h"

#include "dialogs/type_radios_win.h"
#include "resources/resource.h"
#include "store/ansi_codec_win.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

#include <optional>

namespace kavo {

namespace {

// Every way the dialog closes gives the same result; nobody reads it.
constexpr INT_PTR kDialogClosed = 1;

constexpr int kOkButton = IDC_BUTTON_1;
constexpr int kCancelButton = IDC_BUTTON_2;
constexpr int kCopyButton = IDC_BUTTON_3;
constexpr int kPasteButton = IDC_BUTTON_4;

int fieldControl(EntryField field) {
    switch (field) {
    case EntryField::Title:
        return IDC_EDIT_1;
    case EntryField::Id:
        return IDC_EDIT_2;
    case EntryField::Password:
        return IDC_EDIT_3;
    }
    return IDC_EDIT_1;
}

class DialogEntryForm final : public EntryForm {
  public:
    explicit DialogEntryForm(HWND dialog) : dialog_(dialog) {}

    // The fields have no length limit of their own; the core cuts what it keeps.
    std::u16string text(EntryField field) const override {
        const HWND edit = GetDlgItem(dialog_, fieldControl(field));
        const int length = GetWindowTextLengthW(edit);
        if (length <= 0) {
            return std::u16string();
        }
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = GetWindowTextW(edit, buffer.data(), length + 1);
        buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        return fromWide(buffer);
    }

    void setText(EntryField field, std::u16string_view text) override {
        SetDlgItemTextW(dialog_, fieldControl(field), toWide(text).c_str());
    }

    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        showOkMessage(dialog_, text, caption);
    }

  private:
    HWND dialog_;
};

// The form over the open dialog and the decisions behind it, built once the dialog exists.
struct OpenEntryDialog {
    OpenEntryDialog(HWND dialog, EntryDialogMode mode, EntryTable& table, ScratchEntry& scratch)
        : form(dialog), radios(dialog), entry(mode, form, radios, table, scratch, codec) {}

    DialogEntryForm form;
    DialogTypeRadios radios;
    ThreadAnsiCodec codec;
    EntryDialog entry;
};

// What one opening of the dialog works with; it lives while DialogBoxParamW runs.
struct EntryDialogSession {
    EntryDialogMode mode;
    EntryTable& table;
    ScratchEntry& scratch;
    const std::function<bool()>& editingAllowed;
    HWND dialog = nullptr;
    std::optional<OpenEntryDialog> open;
};

INT_PTR onInitDialog(EntryDialogSession& session, HWND dialog) {
    session.dialog = dialog;
    session.open.emplace(dialog, session.mode, session.table, session.scratch);
    if (!session.open->entry.initEntryDialog()) {
        EndDialog(dialog, kDialogClosed);
    }
    return TRUE;
}

// Enter and Escape arrive as IDOK and IDCANCEL, which fall through to nothing: only the
// buttons close the dialog.
INT_PTR onCommand(EntryDialogSession& session, int controlId) {
    if (!session.open) {
        return FALSE;
    }
    EntryDialog& entry = session.open->entry;
    switch (controlId) {
    case kOkButton:
        if (entry.ok(session.editingAllowed())) {
            EndDialog(session.dialog, kDialogClosed);
        }
        return TRUE;
    case kCancelButton:
        entry.cancel();
        EndDialog(session.dialog, kDialogClosed);
        return TRUE;
    case kCopyButton:
        entry.copyToScratch();
        return TRUE;
    case kPasteButton:
        entry.pasteFromScratch();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR handleEntryDialog(EntryDialogSession& session, HWND dialog, UINT message, WPARAM wParam,
                          LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(session, dialog);
    case WM_COMMAND:
        return onCommand(session, LOWORD(wParam));
    case WM_CLOSE:
        // The close box leaves the marks as they are.
        EndDialog(dialog, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void openEntryDialog(HWND owner, HINSTANCE instance, EntryDialogMode mode, EntryTable& table,
                     ScratchEntry& scratch, const std::function<bool()>& editingAllowed) {
    EntryDialogSession session{mode, table, scratch, editingAllowed, nullptr, std::nullopt};
    runModalDialog<EntryDialogSession, handleEntryDialog>(instance, IDD_ENTRY_EDIT, owner, session);
}

} // namespace kavo
