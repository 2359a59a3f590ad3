#include "lock/unlock_check.h"

#include "resources/texts.h"

namespace kavo {

UnlockCheck checkMasterPassword(std::u16string_view masterPassword, std::u16string_view typed) {
    if (masterPassword.empty()) {
        return {true, kNoMasterPasswordMessage};
    }
    if (typed == masterPassword) {
        return {true, kUnlockedMessage};
    }
    return {false, kWrongPasswordMessage};
}

} // namespace kavo
