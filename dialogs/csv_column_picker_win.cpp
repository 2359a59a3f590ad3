#include "dialogs/csv_column_picker_win.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "resources/texts.h"
#include "store/decimal_text.h"
#include "store/text_format.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

// The combo box of each PickedField, in its order.
constexpr int kFieldCombos[kPickedFieldCount] = {
    IDC_COLUMNS_TITLE, IDC_COLUMNS_ID, IDC_COLUMNS_PASSWORD, IDC_COLUMNS_URL, IDC_COLUMNS_TYPE};

// A column of the list in dialog units, so it grows with the dialog's font at any scale.
constexpr int kListColumnUnits = 64;

struct PickerDialog {
    const CsvSurvey& survey;
    PickerChoices choices;
    bool accepted = false;
};

void fillCombos(const PickerDialog& state, HWND dialog) {
    const std::vector<std::u16string> texts = columnChoiceTexts(state.survey, state.choices);
    for (std::size_t field = 0; field < kPickedFieldCount; ++field) {
        const HWND combo = GetDlgItem(dialog, kFieldCombos[field]);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::u16string& text : texts) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text)));
        }
        // Item 0 is "なし", item i the column i - 1.
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(state.choices.columns[field] + 1), 0);
    }
}

void fillRows(const PickerDialog& state, HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_COLUMNS_ROWS);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const std::size_t rows = std::min(state.survey.firstRows.size(), kPickerRows);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < state.survey.columnCount; ++column) {
            const std::u16string text = pickerCellText(state.survey, state.choices, row, column);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.iSubItem = static_cast<int>(column);
            item.pszText = const_cast<wchar_t*>(wide(text));
            SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void addListColumns(const PickerDialog& state, HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_COLUMNS_ROWS);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    RECT width{0, 0, kListColumnUnits, 0};
    MapDialogRect(dialog, &width);
    for (std::size_t column = 0; column < state.survey.columnCount; ++column) {
        const std::u16string heading =
            formatText(kPickerColumnHeading, {formatInt(static_cast<int>(column) + 1)});
        LVCOLUMNW item{};
        item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        item.fmt = LVCFMT_LEFT;
        item.cx = width.right;
        item.pszText = const_cast<wchar_t*>(wide(heading));
        item.iSubItem = static_cast<int>(column);
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    }
}

void readChoices(PickerDialog& state, HWND dialog) {
    for (std::size_t field = 0; field < kPickedFieldCount; ++field) {
        const LRESULT selected =
            SendDlgItemMessageW(dialog, kFieldCombos[field], CB_GETCURSEL, 0, 0);
        state.choices.columns[field] = selected == CB_ERR ? -1 : static_cast<int>(selected) - 1;
    }
    state.choices.firstRowIsHeader =
        IsDlgButtonChecked(dialog, IDC_COLUMNS_FIRST_HEADER) == BST_CHECKED;
}

INT_PTR onInitDialog(PickerDialog& state, HWND dialog) {
    addListColumns(state, dialog);
    CheckDlgButton(dialog, IDC_COLUMNS_FIRST_HEADER,
                   state.choices.firstRowIsHeader ? BST_CHECKED : BST_UNCHECKED);
    fillCombos(state, dialog);
    fillRows(state, dialog);
    return TRUE;
}

void onOk(PickerDialog& state, HWND dialog) {
    readChoices(state, dialog);
    if (!choicesSuffice(state.choices)) {
        showMessageBox(dialog, kPickerNotEnoughText, kImportCaption, MB_OK | MB_ICONINFORMATION);
        return; // the dialog stays for another choice
    }
    state.accepted = true;
    EndDialog(dialog, IDOK);
}

INT_PTR handlePickerDialog(PickerDialog& state, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return onInitDialog(state, dialog);
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        onOk(state, dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_COLUMNS_FIRST_HEADER:
        // The lists name the columns by the header or by the first values, whichever the first
        // row now is.
        readChoices(state, dialog);
        fillCombos(state, dialog);
        fillRows(state, dialog);
        return TRUE;
    case IDC_COLUMNS_PASSWORD:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            // Another column is hidden now.
            readChoices(state, dialog);
            fillCombos(state, dialog);
            fillRows(state, dialog);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<PickerChoices> runColumnPicker(HWND owner, HINSTANCE instance,
                                             const CsvSurvey& survey, const PickerChoices& start) {
    PickerDialog state{survey, start};
    runModalDialog<PickerDialog, handlePickerDialog>(instance, IDD_CSV_COLUMNS, owner, state);
    if (!state.accepted) {
        return std::nullopt;
    }
    return state.choices;
}

} // namespace kavo
