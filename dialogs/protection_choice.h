// What a choice in the data protection dialog leads to.
#pragma once

#include "store/protected_file.h"

#include <string_view>

namespace kavo {

enum class ProtectionStep {
    Unchanged,           // the choice the next save writes already
    NeedsMasterPassword, // refused: there is no master password to derive a key from
    ConfirmScrambled,    // the files on disk are protected: ask once before going back
    Take,                // written by the next save
};

// hasMasterPassword: one is set and known.
ProtectionStep protectionStep(Protection picked, const DataProtection& current,
                              bool hasMasterPassword);

// The name the dialog gives each protection.
std::u16string_view protectionName(Protection protection);

} // namespace kavo
