#include "dialogs/protection_choice.h"

#include "resources/texts.h"

namespace kavo {

ProtectionStep protectionStep(Protection picked, const DataProtection& current,
                              bool hasMasterPassword) {
    if (picked == current.chosen) {
        return ProtectionStep::Unchanged;
    }
    if (picked == Protection::MasterPassword && !hasMasterPassword) {
        return ProtectionStep::NeedsMasterPassword;
    }
    if (picked == Protection::Scrambled && current.onDisk != Protection::Scrambled) {
        return ProtectionStep::ConfirmScrambled;
    }
    return ProtectionStep::Take;
}

std::u16string_view protectionName(Protection protection) {
    switch (protection) {
    case Protection::MasterPassword:
        return kProtectionMasterName;
    case Protection::WindowsUser:
        return kProtectionWindowsUserName;
    default:
        return kProtectionScrambledName;
    }
}

} // namespace kavo
