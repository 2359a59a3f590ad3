// The unlock check: whether the text typed into the unlock dialog opens the lock.
#pragma once

#include "resources/texts.h"

#include <string_view>

namespace kavo {

struct UnlockCheck {
    bool unlocked;               // the new value of the unlocked flag
    std::u16string_view message; // shown with kUnlockCaption
};

// With no master password set, anything opens the lock. Otherwise the whole typed text must be
// the master password: a text that merely starts with it is refused. A refusal locks again,
// even when the lock was open before.
UnlockCheck checkMasterPassword(std::u16string_view masterPassword, std::u16string_view typed);

} // namespace kavo
