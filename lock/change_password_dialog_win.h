// The change-password dialog: sets the master password (shown in clear) and pass mode.
#pragma once

#include <windows.h>

#include "lock/lock_state.h"
#include "store/store_contents.h"

#include <cstdint>

namespace kavo {

// Runs the dialog modally over the owner. A new master password marks the store as changed;
// pass mode is a setting and is kept at exit either way.
void runChangePasswordDialog(HWND owner, HINSTANCE instance, StoreContents& store,
                             std::int32_t& passMode, const LockHooks& lock);

} // namespace kavo
