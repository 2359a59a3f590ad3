#include "store/data_store_win.h"
#include "win/message_box_win.h"

#include "resources/texts.h"
#include "store/ansi_codec_win.h"
#include "store/container_crypto_win.h"
#include "store/data_directory_files_win.h"
#include "store/data_files_win.h"
#include "store/file_messages_win.h"
#include "store/kept_pair.h"
#include "store/load_report.h"
#include "store/password_file.h"
#include "store/synced_folder_win.h"
#include "store/protected_pair.h"
#include "store/text_format.h"
#include "win/wide_text_win.h"

#include <array>
#include <new>

namespace kavo {

// What one operation on the files works with: the store's own state and the entries it fills.
struct DataStore::Session {
    const std::wstring& dataDirectory;
    StoreLoadState& storeLoad;
    ListParser& listParser;
    EntryTable* table;
    StoreContents& store;
    ContainerCrypto& crypto;
    PairFingerprint& noted;
    const MasterPasswordAsk& ask;
};

namespace {

using Session = DataStore::Session;
using FileNames = std::array<std::u16string, 2>;

// The two files are saved as one, list first; the order also tells an interrupted save apart.
FileNames storeFileNames() {
    return {fromWide(kListFileName), fromWide(kPasswordFileName)};
}

// The unsaved changes a session end writes before it asks, beside the files they belong to.
FileNames recoveryFileNames() {
    return {recoveryPairName(fromWide(kListFileName)),
            recoveryPairName(fromWide(kPasswordFileName))};
}

// A protected file is larger than the file it wraps; one that is no container is held to the
// compatible file's own limit.
std::optional<Bytes> readStoreFile(const Session& app, std::wstring_view name, std::size_t maxBytes,
                                   FileMessages messages, HWND owner) {
    auto bytes =
        readDataFile(app.dataDirectory, name, maxBytes + kContainerOverheadBytes, messages, owner);
    if (bytes && !isContainer(*bytes) && bytes->size() > maxBytes) {
        if (messages == FileMessages::On) {
            showTooLarge(owner, name);
        }
        return std::nullopt;
    }
    return bytes;
}

PairBytes readPairBytes(const Session& app, const FileNames& names, FileMessages messages,
                        HWND owner) {
    PairBytes bytes;
    bytes.passwords = readStoreFile(app, toWide(names[1]), kMaxPasswordFileBytes, messages, owner);
    bytes.list = readStoreFile(app, toWide(names[0]), kMaxListFileBytes, messages, owner);
    return bytes;
}

void wipePair(Session& app, PairBytes& bytes) {
    for (std::optional<Bytes>* file : {&bytes.list, &bytes.passwords}) {
        if (*file) {
            app.crypto.wipe(**file);
        }
    }
}

void readStoreFiles(Session& app, HWND owner, const PairBytes& pair) {
    const ThreadAnsiCodec codec;
    const std::optional<Bytes>& passwordBytes = pair.passwords;
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
    const bool keepPasswords = passwordsNeedKeeping(
        isDataFile(app.dataDirectory, kPasswordFileName), passwordsRead, passwords.losses);

    // Emptied before the list is opened, so a failed read leaves an empty table.
    app.table->loadRows({});
    const std::optional<Bytes>& listBytes = pair.list;
    std::vector<Entry> rows;
    const bool listRead = listBytes && app.listParser.parseListFile(rows, *listBytes);
    app.table->loadRows(std::move(rows));
    if (listBytes && !listRead) {
        showMarkFailure(owner, kListFileName);
    }
    const ListLoadLosses listLosses = listRead ? app.listParser.losses() : ListLoadLosses{};
    // Either file alone is half of what a copy must give back.
    app.storeLoad.keepPairBeforeSave =
        keepPasswords ||
        listNeedsKeeping(isDataFile(app.dataDirectory, kListFileName), listRead, listLosses);

    const std::u16string losses = loadLossMessage(
        fromWide(kListFileName), listLosses, fromWide(kPasswordFileName),
        passwordsRead ? passwords.losses : PasswordLoadLosses{}, app.storeLoad.keepPairBeforeSave);
    if (!losses.empty()) {
        showFileMessage(owner, losses);
    }
}

std::wstring pathsOf(const Session& app, const std::vector<std::u16string>& copies) {
    std::wstring paths;
    for (const std::u16string& copy : copies) {
        paths += dataFilePath(app.dataDirectory, toWide(copy)) + L"\n";
    }
    return paths;
}

// Keeps both files as they were found before the first save replaces either; false, reported, when
// they cannot be kept. Done once a run: later saves replace only what this run wrote.
bool keepFoundPairAside(Session& app, HWND owner) {
    if (!app.storeLoad.keepPairBeforeSave) {
        return true;
    }
    const FileNames names = storeFileNames();
    const KeptPair kept =
        keepDataFilesAside(app.dataDirectory, names, names, KeptPairKind::AsFound);
    if (!kept.kept) {
        showFileMessage(owner, keepAsideFailedMessage(kept.failedFile));
        return false;
    }
    app.storeLoad.keepPairBeforeSave = false;
    if (!kept.copies.empty()) {
        showFileMessage(owner,
                        keptAsideMessage(fromWide(pathsOf(app, kept.copies)), kept.alreadyKept));
    }
    return true;
}

// Both files as the chosen protection writes them; nullopt, reported when messages are on, when
// they cannot be wrapped.
std::optional<std::array<FileToSave, 2>> storeFiles(Session& app, const FileNames& names,
                                                    HWND owner, FileMessages messages) {
    const ThreadAnsiCodec codec;
    std::array<FileToSave, 2> files{
        FileToSave{names[0], encodeTextFile(listFileText(*app.table))},
        FileToSave{names[1], passwordFileBytes(app.store.masterPassword, app.store.slots, codec)}};
    if (app.store.protection.chosen == Protection::Scrambled) {
        return files;
    }
    PairSeal sealed = sealPair(app.crypto, files[0].content, files[1].content, app.store.protection,
                               app.store.masterPassword.text);
    if (sealed.status != PairSealStatus::Sealed) {
        if (messages == FileMessages::On) {
            showFileMessage(owner, sealed.status == PairSealStatus::NeedsMasterPassword
                                       ? kProtectionSaveNeedsMasterText
                                       : kProtectionFailedText);
        }
        return std::nullopt;
    }
    files[0].content = std::move(sealed.list);
    files[1].content = std::move(sealed.passwords);
    return files;
}

void wipeFiles(Session& app, std::array<FileToSave, 2>& files) {
    for (FileToSave& file : files) {
        app.crypto.wipe(file.content);
    }
}

bool recoveryPairPresent(const Session& app) {
    const FileNames names = recoveryFileNames();
    return isDataFile(app.dataDirectory, toWide(names[0])) &&
           isDataFile(app.dataDirectory, toWide(names[1]));
}

// Takes the unsaved changes of the recovery pair in place of what the data files hold. Nothing of
// the store changes unless both files of the pair read whole.
bool takeRecoveryPair(Session& app) {
    PairBytes pair = readPairBytes(app, recoveryFileNames(), FileMessages::Off, nullptr);
    // Protected like the files it belongs to: opened with this run's key, never with a prompt.
    DataProtection protection = app.store.protection;
    const PairOpen opened =
        openPair(app.crypto, pair, protection, [](const auto&) { return false; });
    const bool usable =
        opened.status == PairOpenStatus::Compatible || opened.status == PairOpenStatus::Opened;
    bool taken = false;
    if (usable && pair.passwords && pair.list && hasTextMark(*pair.list)) {
        const ThreadAnsiCodec codec;
        MasterPassword master;
        PasswordSlots slots;
        if (readPasswordFile(*pair.passwords, codec, master, slots).status ==
            PasswordFileStatus::Ok) {
            std::vector<Entry> rows;
            app.listParser.parseListFile(rows, *pair.list);
            app.table->loadRows(std::move(rows));
            if (master.text != app.store.masterPassword.text) {
                protection.key.reset(); // derived again, with a new salt, at the save
            }
            app.store.masterPassword = std::move(master);
            app.store.slots = slots;
            app.store.protection.chosen = protection.chosen;
            app.store.protection.key = protection.key;
            app.store.dirty = true;
            taken = true;
        }
    }
    wipePair(app, pair);
    return taken;
}

void removeRecoveryPair(const std::wstring& folder) {
    DataDirectoryFiles directory(folder);
    for (const std::u16string& name : recoveryFileNames()) {
        if (directory.isFile(name)) {
            directory.removeFile(name);
        }
    }
}

// Unsaved changes a session end kept because KAVO was ended before the user answered: offered
// back, or kept aside as a pair under a name that says what they are.
void offerRecoveryPair(Session& app, HWND owner) {
    if (!recoveryPairPresent(app)) {
        return;
    }
    if (showMessageBox(owner, kUnsavedChangesFoundText, kUnsavedChangesCaption,
                       MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (!takeRecoveryPair(app)) {
            showFileMessage(owner, std::u16string(kUnsavedChangesUnreadableText));
        }
        return; // the pair stays until the changes are saved or given up at exit
    }
    const KeptPair kept = keepDataFilesAside(app.dataDirectory, recoveryFileNames(),
                                             storeFileNames(), KeptPairKind::UnsavedChanges);
    if (!kept.kept) {
        showFileMessage(owner, keepAsideFailedMessage(kept.failedFile));
        return; // asked again at the next start
    }
    removeRecoveryPair(app.dataDirectory);
    std::u16string text(kUnsavedChangesKeptHeading);
    text += fromWide(pathsOf(app, kept.copies));
    showFileMessage(owner, text);
}

// Synced folders: what a save does when another program changed the files since they were read,
// the generations, and the sync clients' copies named at start.

std::u16string changeLines(const PairChange& change) {
    std::u16string lines;
    const auto line = [&](FileChange what, const wchar_t* name) {
        switch (what) {
        case FileChange::None:
            return;
        case FileChange::Changed:
            lines += formatText(kFileChangedLine, {fromWide(name)});
            return;
        case FileChange::Appeared:
            lines += formatText(kFileAppearedLine, {fromWide(name)});
            return;
        case FileChange::Vanished:
            lines += formatText(kFileVanishedLine, {fromWide(name)});
            return;
        }
    };
    line(change.list, kListFileName);
    line(change.passwords, kPasswordFileName);
    return lines + u"\n";
}

void showKeptPair(Session& app, HWND owner, std::u16string_view heading, const KeptPair& kept) {
    if (kept.copies.empty()) {
        return;
    }
    std::u16string text(heading);
    text += fromWide(pathsOf(app, kept.copies));
    text += kTakeInKeptPairText;
    showFileMessage(owner, text);
}

// はい: the other program's pair goes aside before this run's replaces it.
bool keepOtherVersionAside(Session& app, HWND owner) {
    const FileNames names = storeFileNames();
    const KeptPair kept =
        keepDataFilesAside(app.dataDirectory, names, names, KeptPairKind::OtherVersion);
    if (!kept.kept) {
        showFileMessage(owner, keepAsideFailedMessage(kept.failedFile));
        return false;
    }
    // What was found at start is no longer there to keep: the other version took its place.
    app.storeLoad.keepPairBeforeSave = false;
    showKeptPair(app, owner, kOtherVersionKeptHeading, kept);
    return true;
}

void refuseProtectedPair(Session& app, HWND owner, const PairOpen& opened);

// Both files read and noted as read, opened when protected, then taken into the table. A
// protected pair that does not open is refused; Cancelled when its master password was not given.
LoadOutcome readPair(Session& app, HWND owner) {
    PairBytes pair = readPairBytes(app, storeFileNames(), FileMessages::On, owner);
    app.noted.list = fingerprintOfRead(app.dataDirectory, kListFileName, pair.list);
    app.noted.passwords = fingerprintOfRead(app.dataDirectory, kPasswordFileName, pair.passwords);
    const PairOpen opened = openPair(app.crypto, pair, app.store.protection, app.ask);
    if (opened.status == PairOpenStatus::Cancelled) {
        wipePair(app, pair);
        return LoadOutcome::Cancelled;
    }
    if (opened.status == PairOpenStatus::Damaged || opened.status == PairOpenStatus::OtherUser) {
        wipePair(app, pair);
        refuseProtectedPair(app, owner, opened);
        return LoadOutcome::Loaded;
    }
    readStoreFiles(app, owner, pair);
    wipePair(app, pair);
    return LoadOutcome::Loaded;
}

void readAgain(Session& app, HWND owner) {
    app.store.masterPassword = MasterPassword{};
    app.store.slots.clearAll();
    app.storeLoad = StoreLoadState{};
    if (readPair(app, owner) == LoadOutcome::Cancelled) {
        // The other version's master password was not given: nothing of it is shown, and this
        // run saves nothing over it.
        app.storeLoad.protectedRefused = true;
        app.store.masterPassword.unknown = true;
        app.table->loadRows({});
    }
    app.store.dirty = false;
}

// いいえ: this run's unsaved state goes aside as a pair, then the other version is read.
bool takeOtherVersion(Session& app, HWND owner) {
    const FileNames recovery = recoveryFileNames();
    auto files = storeFiles(app, recovery, owner, FileMessages::On);
    if (!files) {
        return false;
    }
    const bool saved = saveDataFiles(owner, app.dataDirectory, *files, FileMessages::On);
    wipeFiles(app, *files);
    if (!saved) {
        return false;
    }
    const KeptPair kept = keepDataFilesAside(app.dataDirectory, recovery, storeFileNames(),
                                             KeptPairKind::UnsavedChanges);
    if (!kept.kept) {
        showFileMessage(owner, keepAsideFailedMessage(kept.failedFile));
        return false; // the recovery pair stays: nothing is lost
    }
    removeRecoveryPair(app.dataDirectory);
    showKeptPair(app, owner, kOwnVersionKeptHeading, kept);
    readAgain(app, owner);
    return true;
}

enum class ChangeAnswer { SaveOurs, TookTheirs, Stop };

ChangeAnswer settleChangeOnDisk(Session& app, HWND owner) {
    const FileNames names = storeFileNames();
    const PairChange change =
        compareWithNoted(app.noted, fingerprintOnDisk(app.dataDirectory, names));
    if (!change.any()) {
        return ChangeAnswer::SaveOurs;
    }
    switch (showMessageBox(owner, formatText(kChangedOnDiskText, {changeLines(change)}),
                           kChangedOnDiskCaption,
                           MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3)) {
    case IDYES:
        return keepOtherVersionAside(app, owner) ? ChangeAnswer::SaveOurs : ChangeAnswer::Stop;
    case IDNO:
        return takeOtherVersion(app, owner) ? ChangeAnswer::TookTheirs : ChangeAnswer::Stop;
    default:
        return ChangeAnswer::Stop;
    }
}

void nameConflictCopies(const std::wstring& dataDirectory, HWND owner) {
    const std::vector<std::u16string> copies = conflictCopiesIn(dataDirectory, storeFileNames());
    if (copies.empty()) {
        return;
    }
    std::u16string names;
    for (const std::u16string& copy : copies) {
        names += u"\n" + fromWide(dataFilePath(dataDirectory, toWide(copy)));
    }
    showMessageBox(owner, formatText(kConflictCopiesText, {names + u"\n"}), kConflictCopiesCaption,
                   MB_OK | MB_ICONINFORMATION);
}

// A protected pair that does not open is neither shown nor replaced: the user is told which
// file and what to do, and every save of this run is refused.
void refuseProtectedPair(Session& app, HWND owner, const PairOpen& opened) {
    app.storeLoad.protectedRefused = true;
    app.store.masterPassword.unknown = true;
    app.table->loadRows({});
    std::wstring paths;
    for (const ContainerKind kind : opened.refused) {
        if (!paths.empty()) {
            paths += L"\n";
        }
        paths += dataFilePath(app.dataDirectory,
                              kind == ContainerKind::List ? kListFileName : kPasswordFileName);
    }
    showFileMessage(owner,
                    formatText(opened.status == PairOpenStatus::OtherUser ? kProtectedOtherUserText
                                                                          : kProtectedDamagedText,
                               {fromWide(paths)}));
}

// Once the files are protected, the readable copies KAVO made before (pairs kept aside, the
// recovery pair, generations of earlier saves) would give away what the protection keeps: named in
// one box that offers to remove them. The user's own files stay.
void offerRemovingClearCopies(Session& app, HWND owner) {
    DataDirectoryFiles directory(app.dataDirectory);
    const FileNames names = storeFileNames();
    const std::vector<std::u16string> copies = readableCopies(directory, names);
    const std::vector<std::u16string> generations = clearGenerationsIn(app.dataDirectory, names);
    if (copies.empty() && generations.empty()) {
        return;
    }
    std::vector<std::u16string> all = copies;
    all.insert(all.end(), generations.begin(), generations.end());
    std::u16string text(kClearCopiesHeading);
    text += fromWide(pathsOf(app, all));
    text += kClearCopiesQuestion;
    if (showMessageBox(owner, text, kProtectionCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    std::vector<std::u16string> left;
    for (const std::u16string& copy : copies) {
        if (!directory.removeFile(copy)) {
            left.push_back(copy);
        }
    }
    for (const std::u16string& generation : generations) {
        if (!removeGenerationIn(app.dataDirectory, generation)) {
            left.push_back(generation);
        }
    }
    if (!left.empty()) {
        showFileMessage(owner, std::u16string(kClearCopiesLeftText) + fromWide(pathsOf(app, left)));
    }
}

} // namespace

DataStore::Session DataStore::session(EntryTable& table, StoreContents& store) {
    return Session{folder_, load_, parser_, &table, store, crypto_, noted_, ask_};
}

PairFingerprint DataStore::filesOnDisk() const {
    return fingerprintOnDisk(folder_, storeFileNames());
}

void DataStore::reload(EntryTable& table, StoreContents& store, HWND owner) {
    Session app = session(table, store);
    if (app.storeLoad.recoveryBlocked || app.store.dirty) {
        return;
    }
    try {
        readAgain(app, owner);
    } catch (const std::bad_alloc&) {
        showMessageBox(owner, kNoMemoryForDataText, kFileErrorCaption, MB_OK | MB_ICONWARNING);
    }
}

void DataStore::captureFolder() {
    folder_ = currentDirectory();
}

LoadOutcome DataStore::load(EntryTable& table, StoreContents& store, HWND owner,
                            const MasterPasswordAsk& ask) {
    // Kept for reading the files again later (a newer copy, the other version of a change).
    ask_ = ask;
    Session app = session(table, store);
    app.store.masterPassword = MasterPassword{};
    app.store.slots.clearAll();
    app.store.protection = DataProtection{};
    app.storeLoad = StoreLoadState{};
    const auto names = storeFileNames();
    const RecoveryOutcome recovery = recoverDataFiles(app.dataDirectory, names);
    if (!recovery.consistent) {
        // The files on disk may not belong together: reading them could pair entries with the
        // wrong passwords, and saving would make that permanent.
        app.storeLoad.recoveryBlocked = true;
        app.store.masterPassword.unknown = true;
        app.table->loadRows({});
        showFileMessage(owner, recoveryBlockedMessage(recovery.blockedFile));
        return LoadOutcome::Loaded;
    }
    try {
        if (readPair(app, owner) == LoadOutcome::Cancelled) {
            return LoadOutcome::Cancelled;
        }
        nameConflictCopies(app.dataDirectory, owner);
        // A recovery pair cut short while it was written is undone; one still in doubt waits.
        if (recoverDataFiles(app.dataDirectory, recoveryFileNames()).consistent) {
            offerRecoveryPair(app, owner);
        }
    } catch (const std::bad_alloc&) {
        // Whatever was read stays; the rest of the program runs on.
        showMessageBox(owner, kNoMemoryForDataText, kFileErrorCaption, MB_OK | MB_ICONWARNING);
    }
    return LoadOutcome::Loaded;
}

bool DataStore::save(EntryTable& table, StoreContents& store, HWND owner) {
    Session app = session(table, store);
    if (app.storeLoad.recoveryBlocked) {
        showFileMessage(owner, saveRefusedAfterBlockedRecoveryMessage());
        return false;
    }
    if (app.storeLoad.protectedRefused) {
        showFileMessage(owner, kProtectedSaveRefusedText);
        return false;
    }
    if (!canWritePasswordFile(app.store.masterPassword)) {
        showFileMessage(owner,
                        formatText(kSaveRefusedMasterUnknownText, {fromWide(kPasswordFileName)}));
        return false;
    }
    switch (settleChangeOnDisk(app, owner)) {
    case ChangeAnswer::SaveOurs:
        break;
    case ChangeAnswer::TookTheirs:
        kavo::removeRecoveryPair(app.dataDirectory);
        return true;
    case ChangeAnswer::Stop:
        return false;
    }
    if (!keepFoundPairAside(app, owner)) {
        return false;
    }
    // A generation that cannot be made costs a way back, not the changes: the save goes on, and
    // the user hears of it once the save is done (a save that fails says why on its own).
    const GenerationOutcome generation = keepGeneration(app.dataDirectory, storeFileNames());
    auto files = storeFiles(app, storeFileNames(), owner, FileMessages::On);
    if (!files) {
        dropGeneration(generation);
        return false;
    }
    const bool saved = saveDataFiles(owner, app.dataDirectory, *files, FileMessages::On);
    wipeFiles(app, *files);
    if (!saved) {
        dropGeneration(generation);
        return false;
    }
    if (!generation.kept) {
        showFileMessage(owner, formatText(kGenerationFailedText, {fromWide(generation.folder)}));
    }
    // What this run wrote is what the next save compares with.
    app.noted = fingerprintOnDisk(app.dataDirectory, storeFileNames());
    app.store.dirty = false;
    kavo::removeRecoveryPair(app.dataDirectory);
    const Protection before = app.store.protection.onDisk;
    app.store.protection.onDisk = app.store.protection.chosen;
    if (before == Protection::Scrambled && app.store.protection.chosen != Protection::Scrambled) {
        offerRemovingClearCopies(app, owner);
    }
    return true;
}

bool DataStore::writeRecoveryPair(EntryTable& table, StoreContents& store) {
    Session app = session(table, store);
    // A master password that is not known would be written as none: taken back, it would open
    // the lock for anything.
    if (app.storeLoad.recoveryBlocked || app.storeLoad.protectedRefused ||
        !canWritePasswordFile(app.store.masterPassword)) {
        return false;
    }
    try {
        auto files = storeFiles(app, recoveryFileNames(), nullptr, FileMessages::Off);
        if (!files) {
            return false;
        }
        const bool written = saveDataFiles(nullptr, app.dataDirectory, *files, FileMessages::Off);
        wipeFiles(app, *files);
        return written;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void DataStore::removeRecoveryPair() {
    kavo::removeRecoveryPair(folder_);
}

} // namespace kavo
