// What the user is told about a load of the entry list and the password file, and what a save must
// do first because of it: a file that could not be read whole is kept under a name of its own
// before anything replaces it.
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
    // The file exists but was not read, or was read with losses: keep it before replacing it.
    bool keepListBeforeSave = false;
    bool keepPasswordsBeforeSave = false;
};

// One message for everything the load dropped or cut; empty when nothing was lost.
std::u16string loadLossMessage(std::u16string_view listFile, const ListLoadLosses& list,
                               std::u16string_view passwordFile,
                               const PasswordLoadLosses& passwords);

// "<name>.as-found-<stamp>.bak": not a name a save writes or removes.
std::u16string keptAsideName(std::u16string_view fileName, std::u16string_view stamp);

std::u16string keptAsideMessage(std::u16string_view keptPaths);
std::u16string keepAsideFailedMessage(std::u16string_view fileName);
std::u16string recoveryBlockedMessage(std::u16string_view heldFile);
std::u16string saveRefusedAfterBlockedRecoveryMessage();

} // namespace kavo
