#include "app/csv_transfer_win.h"

#include <windows.h>

#include <commctrl.h>

#include "app/app_state_win.h"
#include "app/data_folder_check.h"
#include "app/file_dialog_win.h"
#include "app/store_files_win.h"
#include "dialogs/csv_column_picker_win.h"
#include "store/secure_wipe.h"
#include "store/csv_import.h"
#include "store/text_format.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "store/decimal_text.h"
#include "store/ansi_codec_win.h"
#include "store/data_files_win.h"
#include "win/message_box_win.h"
#include "settings/settings_file_win.h"
#include "win/owned_handles_win.h"
#include "win/wide_text_win.h"

#include <optional>
#include <string>

namespace kavo {

namespace {

int askOkCancel(HWND owner, const std::u16string& text, std::u16string_view caption, UINT icon) {
    return showMessageBox(owner, text, caption, MB_OKCANCEL | icon);
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD units = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(units, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), units, full.data(), nullptr);
    if (units == 0 || written == 0 || written >= units) {
        return path;
    }
    full.resize(written);
    return full;
}

// An export onto one of the running data folder's files would have the next start read the CSV
// as the list, the passwords or the settings; one that does not exist yet counts too.
bool isRunningDataFile(const std::wstring& dataDirectory, const std::wstring& path) {
    const std::u16string target = fromWide(fullPath(path));
    for (const wchar_t* name : {kListFileName, kPasswordFileName, kSettingsFileName}) {
        const std::wstring dataFile = dataFilePath(dataDirectory, name);
        const std::u16string data = fromWide(fullPath(dataFile));
        if ((liesUnder(target, data) && liesUnder(data, target)) || sameFile(dataFile, path)) {
            return true;
        }
    }
    return false;
}

void addToTable(App& app, const ImportPlan& plan) {
    EntryTable& table = *app.table;
    const int firstNew = table.rowCount();
    addImportedEntries(table, plan.entries);
    // The first new entry is shown, so the user sees where they went.
    table.scrollTo(firstNew);
}

// The survey's first rows and the entries read hold passwords in clear text: both are wiped
// before they are freed.
struct WipedSurvey {
    CsvSurvey& survey;
    ~WipedSurvey() { wipeSurvey(survey); }
};

struct PasswordsWiped {
    std::vector<ImportedEntry>& entries;
    ~PasswordsWiped() {
        for (ImportedEntry& entry : entries) {
            wipeText(entry.password);
        }
    }
};

std::optional<CsvLayout> pickLayout(const App& app, const CsvSurvey& survey,
                                    const CsvLayout& from) {
    const std::optional<PickerChoices> choices =
        runColumnPicker(app.mainWindow, app.instance, survey, choicesOfLayout(from));
    if (!choices) {
        return std::nullopt;
    }
    return layoutOfChoices(survey, *choices);
}

} // namespace

void importCsv(App& app) {
    const HWND owner = app.mainWindow;
    const std::wstring filter = toWide(kCsvFilter);
    std::wstring path;
    OPENFILENAMEW dialog = fileDialog(owner, path, filter, L"csv");
    dialog.Flags = kFileDialogFlags | OFN_FILEMUSTEXIST;
    if (!askForFile(dialog, "GetOpenFileNameW", path)) {
        return;
    }
    const std::u16string fileName = fromWide(splitPath(path).name);

    FileRead read = readWholeFile(path, kMaxCsvFileBytes);
    // The file holds passwords in clear text: its bytes and the entries read from it are wiped
    // before they are freed.
    const WipedAtEnd<Bytes> readWiped(read.bytes);
    if (read.status != FileReadStatus::Ok) {
        const std::u16string_view why =
            read.status == FileReadStatus::TooLarge ? kCsvTooLargeText : kCsvOpenFailedText;
        showOkMessage(owner, formatText(why, {fromWide(path)}), kImportCaption);
        return;
    }
    const ThreadAnsiCodec codec;
    CsvSurvey survey = surveyCsv(read.bytes, codec);
    const WipedSurvey surveyWiped{survey};
    if (survey.refusal != ImportRefusal::None) {
        ImportReading refused;
        refused.refusal = survey.refusal;
        refused.failedLine = survey.failedLine;
        showOkMessage(owner, importRefusalText(refused, fileName), kImportCaption);
        return;
    }
    std::optional<CsvLayout> layout = survey.guess;
    if (survey.wantsPicker()) {
        layout = pickLayout(app, survey, *layout);
    }
    while (layout) {
        ImportReading reading = planImport(read.bytes, *layout, app.table->freeRows(), codec);
        const PasswordsWiped planWiped{reading.plan.entries};
        if (reading.refusal != ImportRefusal::None) {
            showOkMessage(owner, importRefusalText(reading, fileName), kImportCaption);
            return;
        }
        const std::u16string preview = importPreviewText(reading.plan, fileName);
        // With entries: はい adds them, いいえ goes back to the columns. Without: ＯＫ does.
        const int answer =
            reading.plan.entries.empty()
                ? showMessageBox(owner, preview, kImportCaption, MB_OKCANCEL | MB_ICONINFORMATION)
                : showMessageBox(owner, preview, kImportCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) {
            // The lock may have closed while the boxes were open.
            if (!app.editingAllowed()) {
                showOkMessage(owner, kLockedMeanwhileMessage, kImportCaption);
                return;
            }
            addToTable(app, reading.plan);
            return;
        }
        layout = answer == IDNO || answer == IDOK ? pickLayout(app, survey, *layout) : std::nullopt;
    }
}

void exportCsv(App& app) {
    const HWND owner = app.mainWindow;
    if (askOkCancel(owner, std::u16string(kExportWarningText), kExportCaption,
                    MB_ICONWARNING | MB_DEFBUTTON2) != IDOK) {
        return;
    }
    const std::wstring filter = toWide(kCsvFilter);
    std::wstring path = toWide(kExportDefaultName);
    OPENFILENAMEW dialog = fileDialog(owner, path, filter, L"csv");
    dialog.Flags = kFileDialogFlags | OFN_OVERWRITEPROMPT;
    if (!askForFile(dialog, "GetSaveFileNameW", path)) {
        return;
    }
    if (!app.editingAllowed()) {
        showOkMessage(owner, kExportLockedText, kExportCaption);
        return;
    }
    if (isRunningDataFile(app.dataStore.folder(), path)) {
        showOkMessage(owner, formatText(kExportOntoDataFileText, {fromWide(path)}), kExportCaption);
        return;
    }
    CsvExport file = kavo::exportCsv(*app.table);
    const WipedAtEnd<Bytes> exportWiped(file.bytes);
    const PathParts parts = splitPath(path);
    const ExportOutcome outcome = exportFileSafely(parts.directory, parts.name, file.bytes);
    if (!outcome.done()) {
        std::u16string failed =
            formatText(outcome.written ? kExportNotCleanText : kExportFailedText, {fromWide(path)});
        if (!outcome.leftBehind.empty()) {
            failed += kExportLeftBehindText;
            for (const std::u16string& leftover : outcome.leftBehind) {
                failed += u"\n" + fromWide(dataFilePath(parts.directory, toWide(leftover)));
            }
        }
        showOkMessage(owner, failed, kExportCaption);
        return;
    }
    std::u16string done = formatText(kExportDoneText, {formatInt(file.entries), fromWide(path)});
    if (file.unreadablePasswords > 0) {
        done += formatText(kExportUnreadableText, {formatInt(file.unreadablePasswords)});
    }
    showOkMessage(owner, done, kExportCaption);
}

} // namespace kavo
