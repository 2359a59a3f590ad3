// The data protection dialog: how the two data files are kept on disk from the next save on.
#pragma once

#include <windows.h>

#include "store/protected_file.h"

#include <optional>

namespace kavo {

// Runs the dialog modally over the owner, showing what the files on disk are and starting at the
// choice the next save writes. The choice of ＯＫ once it may be taken (the master password one
// needs a master password, and going back to the compatible files is asked once); nullopt for
// キャンセル or a choice that changes nothing.
std::optional<Protection> runProtectionDialog(HWND owner, HINSTANCE instance,
                                              const DataProtection& current,
                                              bool hasMasterPassword);

} // namespace kavo
