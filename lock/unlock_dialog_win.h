// The unlock dialog: the master password is typed into a hidden input while a row of dots
// shows how many keys were pressed. It can also lock again.
#pragma once

#include <windows.h>

#include "store/password_file.h"

#include <functional>
#include <string_view>

namespace kavo {

// Runs the dialog modally over the owner. Checks what is typed against the master password and
// sets `unlocked`; after a refusal or ロック, `locked` hides what the open lock revealed. The
// password file's path names it when its master password is unknown.
void runUnlockDialog(HWND owner, HINSTANCE instance, const MasterPassword& masterPassword,
                     std::u16string_view passwordFilePath, bool& unlocked,
                     const std::function<void()>& locked);

} // namespace kavo
