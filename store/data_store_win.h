// The data folder and its three files, and everything a load decides about them: the one owner
// of the entry list (pw_set1.dat) and the password file (pw_set2.dat) on disk. It finishes or
// undoes a save a crash cut short, reads both files into the table, keeps what it could not read
// aside as a pair before a save replaces it, saves both as one, and keeps the unsaved changes of
// a session end in a recovery pair that the next start offers back.
#pragma once

#include <windows.h>

#include "store/container_crypto_win.h"
#include "store/entry_table.h"
#include "store/list_file.h"
#include "store/load_report.h"
#include "store/pair_fingerprint.h"
#include "store/protected_pair.h"
#include "store/store_contents.h"

#include <string>

namespace kavo {

inline constexpr wchar_t kListFileName[] = L"pw_set1.dat";
inline constexpr wchar_t kPasswordFileName[] = L"pw_set2.dat";
inline constexpr wchar_t kSettingsFileName[] = L"pw_set3.dat";

enum class LoadOutcome { Loaded, Cancelled };

class DataStore {
  public:
    // The folder current at start is the data folder for the whole run.
    void captureFolder();
    // A folder given by name, for a store kept somewhere else than where the program started.
    void useFolder(std::wstring folder) { folder_ = std::move(folder); }
    const std::wstring& folder() const { return folder_; }

    // Empties the master password and the slots, finishes or undoes a save that a crash cut
    // short, then reads the password file and the entry list, and offers back the unsaved changes
    // of a session that ended KAVO before it was answered. Every failure is reported with the
    // owner as parent; what could be read stays. Files protected with the master password are
    // opened with what ask is given; Cancelled when it was not given (nothing was read).
    // Protected files that do not open are named, left as they are, and no save of the run
    // replaces them.
    LoadOutcome load(EntryTable& table, StoreContents& store, HWND owner,
                     const MasterPasswordAsk& ask);
    // Saves the entry list and the password file as one: both are replaced, or neither is and the
    // failure is reported naming the file. Before the first save of a run replaces files that
    // were not read whole, both are kept aside as a pair; every save first keeps the pair it
    // replaces as a generation. When another program changed the files since they were read, the
    // user chooses which version to keep, the other one going aside as a pair. True when the
    // changes are safe: saved, or kept aside before the other version was taken in.
    bool save(EntryTable& table, StoreContents& store, HWND owner);
    // Writes the unsaved changes, complete and flushed, to a recovery pair of their own beside the
    // data files. Silent; true when both files were written.
    bool writeRecoveryPair(EntryTable& table, StoreContents& store);
    // Removes the recovery pair: the changes were saved or given up.
    void removeRecoveryPair();

    // Synced folders. The data files as they are on disk now, and as they were last read or
    // written by this run.
    PairFingerprint filesOnDisk() const;
    const PairFingerprint& notedFiles() const { return noted_; }
    // Reads both files again in place of the table and the passwords, as another program left
    // them; only for a store without unsaved changes.
    void reload(EntryTable& table, StoreContents& store, HWND owner);

    struct Session;

  private:
    Session session(EntryTable& table, StoreContents& store);

    std::wstring folder_;
    // How the last load went: what the saves must keep aside first, or must not do at all.
    StoreLoadState load_;
    // One parser for the run: an entry without a type line takes the letter read last.
    ListParser parser_;
    // The data files as this run last read or wrote them.
    PairFingerprint noted_;
    WindowsContainerCrypto crypto_;
    MasterPasswordAsk ask_;
};

} // namespace kavo
