#include "lock/unlock_check.h"

#include "store/text_format.h"

#include "resources/texts.h"

namespace kavo {

UnlockCheck checkMasterPassword(const MasterPassword& master, std::u16string_view typed,
                                std::u16string_view passwordFilePath) {
    if (master.unknown) {
        return {false, formatText(kMasterUnknownText, {passwordFilePath})};
    }
    if (master.text.empty()) {
        return {true, std::u16string(kNoMasterPasswordMessage)};
    }
    if (typed == master.text) {
        return {true, std::u16string(kUnlockedMessage)};
    }
    return {false, std::u16string(kWrongPasswordMessage)};
}

} // namespace kavo
