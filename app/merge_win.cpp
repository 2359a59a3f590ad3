#include "app/merge_win.h"

#include "lock/master_prompt_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include "app/app_state_win.h"
#include "app/file_dialog_win.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "store/data_files_win.h"
#include "store/merge_plan.h"
#include "store/other_pair_win.h"
#include "store/text_format.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"
#include "win/wide_text_win.h"

#include <string>
#include <vector>

namespace kavo {

namespace {

// What one opening of the preview works on; `ticked` is its answer.
struct MergePreview {
    const MergePlan& plan;
    const EntryTable& table;
    std::u16string summary;
    bool accepted = false;
    std::vector<int> ticked;
};

HWND differingList(HWND dialog) {
    return GetDlgItem(dialog, IDC_MERGE_LIST);
}

void fillDifferingList(const MergePreview& preview, HWND dialog) {
    const HWND list = differingList(dialog);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT area{};
    GetClientRect(list, &area);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = area.right - area.left - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (std::size_t i = 0; i < preview.plan.differing.size(); ++i) {
        const DifferingEntry& differing = preview.plan.differing[i];
        const std::optional<Entry> here = preview.table.entryAt(differing.row);
        std::wstring text = toWide(differingLineText(differing, here.value_or(Entry{})));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    EnableWindow(list, preview.plan.differing.empty() ? FALSE : TRUE);
}

void collectTicked(MergePreview& preview, HWND dialog) {
    const HWND list = differingList(dialog);
    preview.ticked.clear();
    for (int i = 0; i < static_cast<int>(preview.plan.differing.size()); ++i) {
        const auto state = static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK));
        // State image 2 is the ticked box.
        if ((state >> 12) == 2) {
            preview.ticked.push_back(i);
        }
    }
}

INT_PTR handleMergePreview(MergePreview& preview, HWND dialog, UINT message, WPARAM wParam,
                           LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_MERGE_SUMMARY, toWide(preview.summary).c_str());
        fillDifferingList(preview, dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDC_MERGE_OK:
            collectTicked(preview, dialog);
            preview.accepted = true;
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
        case IDC_MERGE_CANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

std::vector<Entry> entriesHere(const EntryTable& table) {
    std::vector<Entry> entries;
    for (int row = 0; row < table.rowCount(); ++row) {
        entries.push_back(table.entryAt(row).value_or(Entry{}));
    }
    return entries;
}

bool isOwnListFile(const App& app, const std::wstring& path) {
    return sameFile(path, dataFilePath(app.dataStore.folder(), kListFileName));
}

// Why the pair picked cannot be taken in; empty when it can.
std::u16string refusalOf(const OtherPair& pair, const std::wstring& listPath) {
    switch (pair.status) {
    case OtherPairStatus::Ok:
    case OtherPairStatus::Cancelled:
        return {};
    case OtherPairStatus::ProtectedElsewhere:
        return formatText(kMergeProtectedElsewhereText, {fromWide(pair.failedPath)});
    case OtherPairStatus::NoPartner:
        return formatText(kMergeNoPartnerText,
                          {fromWide(listPath),
                           fromWide(pair.passwordPath.empty() ? std::wstring(kPasswordFileName)
                                                              : pair.passwordPath)});
    case OtherPairStatus::Unreadable:
        break;
    }
    return formatText(kMergeUnreadableFileText, {fromWide(pair.failedPath)});
}

} // namespace

void mergeOtherData(App& app) {
    const HWND owner = app.mainWindow;
    const std::wstring filter = toWide(kMergeFilter);
    std::wstring path;
    OPENFILENAMEW dialog = fileDialog(owner, path, filter, nullptr);
    dialog.Flags = kFileDialogFlags | OFN_FILEMUSTEXIST;
    if (!askForFile(dialog, "GetOpenFileNameW", path)) {
        return;
    }
    if (isOwnListFile(app, path)) {
        showOkMessage(owner, kMergeOwnFilesText, kMergeCaption);
        return;
    }
    const MasterPasswordAsk ask = [&app, owner](const auto& tryPassword) {
        return runMasterPasswordPrompt(owner, app.instance, tryPassword);
    };
    const OtherPair pair = readOtherPair(path, ask);
    if (pair.status == OtherPairStatus::Cancelled) {
        return;
    }
    if (const std::u16string refusal = refusalOf(pair, path); !refusal.empty()) {
        showOkMessage(owner, refusal, kMergeCaption);
        return;
    }
    const MergePlan plan = planMerge(entriesHere(*app.table), pair.entries, app.table->freeRows());
    MergePreview preview{
        plan, *app.table, mergeSummaryText(plan, fromWide(splitPath(path).name)), false, {}};
    if (plan.added.empty() && plan.differing.empty()) {
        showOkMessage(owner, preview.summary + std::u16string(kMergeNothingText), kMergeCaption);
        return;
    }
    runModalDialog<MergePreview, handleMergePreview>(app.instance, IDD_MERGE_PREVIEW, owner,
                                                     preview);
    if (!preview.accepted) {
        return;
    }
    // The lock may have closed while the preview was open.
    if (!app.editingAllowed()) {
        showOkMessage(owner, kLockedMeanwhileMessage, kMergeCaption);
        return;
    }
    const int firstNew = app.table->rowCount();
    applyMerge(*app.table, plan, preview.ticked);
    if (!plan.added.empty()) {
        app.table->scrollTo(firstNew);
    }
}

} // namespace kavo
