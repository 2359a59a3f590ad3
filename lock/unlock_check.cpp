#include "lock/unlock_check.h"

namespace kavo {

UnlockCheck checkMasterPassword(std::u16string_view masterPassword, std::u16string_view typed) {
    if (masterPassword.empty()) {
        return {true, u"設定されてません。"};
    }
    if (typed == masterPassword) {
        return {true, u"解除しました。"};
    }
    return {false, u"解除出来ません。"};
}

} // namespace kavo
