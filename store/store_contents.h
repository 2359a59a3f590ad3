// What the two data files hold beside the list's rows, and whether it has changed since the last
// save. One owner, which the table, the dialogs and the save all work on.
#pragma once

#include "store/password_file.h"
#include "store/password_slots.h"
#include "store/protected_file.h"

namespace kavo {

struct StoreContents {
    PasswordSlots slots;
    MasterPassword masterPassword;
    // Scrambled, or a container under the master password or the Windows user.
    DataProtection protection;
    // Changes not saved yet: the exit prompt asks before they are lost.
    bool dirty = false;
};

} // namespace kavo
