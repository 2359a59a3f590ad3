// What the user is told about a load of the entry list and the password file, and what a save must
// do first because of it: when a file could not be read whole, both files are kept as a pair under
// names of their own before anything replaces them.
#pragma once

#include "store/list_file.h"
#include "store/password_file.h"

#include <string>
#include <string_view>

namespace kavo {

// How a load went, for the saves of this run.
struct StoreLoadState {
    // An interrupted save could not be undone: nothing was read, and nothing may be saved.
    bool recoveryBlocked = false;
    // Protected files that did not open: nothing was read, and nothing may be saved.
    bool protectedRefused = false;
    // A data file exists but was not read, or was read with losses a save would make final: keep
    // both files, as the pair they are, before the first save replaces them.
    bool keepPairBeforeSave = false;
};

// Whether a save would lose something of a file as it was found: it is there but was not read, or
// part of it was lost in the read. Password records the code page cannot read are written back
// byte for byte, so they alone need no copy.
bool listNeedsKeeping(bool present, bool read, const ListLoadLosses& losses);
bool passwordsNeedKeeping(bool present, bool read, const PasswordLoadLosses& losses);

// One message for everything the load dropped or cut; empty when nothing was lost. It says that the
// files will be kept aside when keepAside is set.
std::u16string loadLossMessage(std::u16string_view listFile, const ListLoadLosses& list,
                               std::u16string_view passwordFile,
                               const PasswordLoadLosses& passwords, bool keepAside);

// Where the pair was kept (one path a line), and that its files go back together; alreadyKept
// when an earlier copy held the same bytes and none was made now.
std::u16string keptAsideMessage(std::u16string_view keptPaths, bool alreadyKept);
std::u16string keepAsideFailedMessage(std::u16string_view fileName);
std::u16string recoveryBlockedMessage(std::u16string_view heldFile);
std::u16string saveRefusedAfterBlockedRecoveryMessage();

} // namespace kavo
