#include "app/store_files_win.h"

#include "app/app_state_win.h"
#include "resources/texts.h"
#include "store/ansi_codec_win.h"
#include "store/data_files_win.h"
#include "store/file_messages_win.h"
#include "store/load_report.h"
#include "store/password_file.h"
#include "win/wide_text_win.h"

#include <array>
#include <new>

namespace kavo {

namespace {

// The two files are saved as one, list first; the order also tells an interrupted save apart.
std::array<std::u16string, 2> storeFileNames() {
    return {fromWide(kListFileName), fromWide(kPasswordFileName)};
}

// Whether a file that is there was read whole; a missing file is no loss.
bool readWhole(const App& app, const wchar_t* fileName, bool read, bool lossless) {
    return (read && lossless) || !isDataFile(app.dataDirectory, fileName);
}

void readStoreFiles(App& app, HWND owner) {
    const ThreadAnsiCodec codec;
    const auto passwordBytes = readDataFile(app.dataDirectory, kPasswordFileName,
                                            kMaxPasswordFileBytes, FileMessages::On, owner);
    PasswordFileRead passwords;
    if (passwordBytes) {
        passwords =
            readPasswordFile(*passwordBytes, codec, app.store.masterPassword, app.store.slots);
        if (passwords.status == PasswordFileStatus::BadMark) {
            showMarkFailure(owner, kPasswordFileName);
        }
    }
    const bool passwordsRead = passwordBytes && passwords.status == PasswordFileStatus::Ok;
    // A file that is there but could not be opened or read whole says nothing about the master
    // password: unknown, never none.
    if (!passwordBytes && isDataFile(app.dataDirectory, kPasswordFileName)) {
        app.store.masterPassword.unknown = true;
    }
    app.storeLoad.keepPasswordsBeforeSave =
        !readWhole(app, kPasswordFileName, passwordsRead, !passwords.losses.any());

    // Emptied before the list is opened, so a failed read leaves an empty table.
    const ListRedrawPause pause(app.listView);
    app.rows->deleteAllRows();
    const auto listBytes =
        readDataFile(app.dataDirectory, kListFileName, kMaxListFileBytes, FileMessages::On, owner);
    const bool listRead = listBytes && app.listParser.parseListFile(*app.rows, *listBytes);
    if (listBytes && !listRead) {
        showMarkFailure(owner, kListFileName);
    }
    const ListLoadLosses listLosses = listRead ? app.listParser.losses() : ListLoadLosses{};
    app.storeLoad.keepListBeforeSave = !readWhole(app, kListFileName, listRead, !listLosses.any());

    const std::u16string losses =
        loadLossMessage(fromWide(kListFileName), listLosses, fromWide(kPasswordFileName),
                        passwordsRead ? passwords.losses : PasswordLoadLosses{});
    if (!losses.empty()) {
        showFileMessage(owner, losses);
    }
}

// Copies each file that was not read whole before the save replaces it; false, reported, when a
// copy cannot be made. Each file is copied once: a later save replaces only what this run wrote.
bool keepUnreadFilesAside(App& app, HWND owner, std::wstring& keptPaths) {
    const std::pair<bool*, const wchar_t*> files[] = {
        {&app.storeLoad.keepListBeforeSave, kListFileName},
        {&app.storeLoad.keepPasswordsBeforeSave, kPasswordFileName}};
    for (const auto& [pending, fileName] : files) {
        if (!*pending || !isDataFile(app.dataDirectory, fileName)) {
            continue;
        }
        const std::optional<std::wstring> kept = keepDataFileAside(app.dataDirectory, fileName);
        if (!kept) {
            showFileMessage(owner, keepAsideFailedMessage(fromWide(fileName)));
            return false;
        }
        *pending = false;
        keptPaths += *kept + L"\n";
    }
    return true;
}

} // namespace

void loadStore(App& app, HWND owner) {
    app.store.masterPassword = MasterPassword{};
    app.store.slots.clearAll();
    app.storeLoad = StoreLoadState{};
    const auto names = storeFileNames();
    const RecoveryOutcome recovery = recoverDataFiles(app.dataDirectory, names);
    if (!recovery.consistent) {
        // The files on disk may not belong together: reading them could pair entries with the
        // wrong passwords, and saving would make that permanent.
        app.storeLoad.recoveryBlocked = true;
        app.store.masterPassword.unknown = true;
        app.rows->deleteAllRows();
        showFileMessage(owner, recoveryBlockedMessage(recovery.blockedFile));
        return;
    }
    try {
        readStoreFiles(app, owner);
    } catch (const std::bad_alloc&) {
        // Whatever was read stays; the rest of the program runs on.
        MessageBoxW(owner, toWide(kNoMemoryForDataText).c_str(), toWide(kFileErrorCaption).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

bool saveStore(App& app, HWND owner) {
    if (app.storeLoad.recoveryBlocked) {
        showFileMessage(owner, saveRefusedAfterBlockedRecoveryMessage());
        return false;
    }
    if (!canWritePasswordFile(app.store.masterPassword)) {
        showFileMessage(owner, fromWide(kPasswordFileName) +
                                   std::u16string(kSaveRefusedMasterUnknownText));
        return false;
    }
    std::wstring keptPaths;
    bool saved = false;
    if (keepUnreadFilesAside(app, owner, keptPaths)) {
        const ThreadAnsiCodec codec;
        const auto names = storeFileNames();
        const std::array<FileToSave, 2> files{
            FileToSave{names[0], encodeTextFile(listFileText(*app.rows))},
            FileToSave{names[1],
                       passwordFileBytes(app.store.masterPassword, app.store.slots, codec)}};
        saved = saveDataFiles(owner, app.dataDirectory, files, FileMessages::On);
        if (saved) {
            app.store.dirty = false;
        }
    }
    // A copy made before a later one failed is there all the same: the user hears where.
    if (!keptPaths.empty()) {
        showFileMessage(owner, keptAsideMessage(fromWide(keptPaths)));
    }
    return saved;
}

bool confirmExit(App& app, HWND owner) {
    if (!app.store.dirty) {
        return true;
    }
    switch (MessageBoxW(owner, toWide(kExitPromptText).c_str(), toWide(kExitPromptCaption).c_str(),
                        MB_YESNOCANCEL)) {
    case IDYES:
        return saveStore(app, owner);
    case IDNO:
        return true;
    default:
        return false;
    }
}

} // namespace kavo
