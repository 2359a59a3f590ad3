// The lock: editing needs the master password typed in this run, unless pass mode is on.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <string_view>

namespace kavo {

inline bool isPassMode(std::int32_t passMode) {
    return passMode == kPassModeMarker;
}

inline bool editingAllowed(bool unlocked, std::int32_t passMode) {
    return unlocked || isPassMode(passMode);
}

// An editing dialog's ＯＫ finds the lock closed since the dialog opened.
inline constexpr std::u16string_view kLockedMeanwhileMessage =
    u"ロックされたため、変更できません。";

// When Windows locks the session KAVO locks too; pass mode, which the user chose to keep the
// lock off, stays as it is.
inline bool relocksOnSessionLock(std::int32_t passMode) {
    return !isPassMode(passMode);
}

} // namespace kavo
