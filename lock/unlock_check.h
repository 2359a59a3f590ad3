// The unlock check: whether the text typed into the unlock dialog opens the lock.
#pragma once

#include "resources/texts.h"
#include "store/password_file.h"

#include <string>
#include <string_view>

namespace kavo {

struct UnlockCheck {
    bool unlocked;          // the new value of the unlocked flag
    std::u16string message; // shown with kUnlockCaption
};

// With no master password set, anything opens the lock. Otherwise the whole typed text must be
// the master password: a text that merely starts with it is refused. A refusal locks again,
// even when the lock was open before. A master password the password file (at its full path)
// did not give up opens for nothing, and the message names the file and what to do.
UnlockCheck checkMasterPassword(const MasterPassword& master, std::u16string_view typed,
                                std::u16string_view passwordFilePath);

} // namespace kavo
