// The lock: editing needs the master password typed in this run, unless pass mode is on.
#pragma once

#include "resources/texts.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace kavo {

inline bool isPassMode(std::int32_t passMode) {
    return passMode == kPassModeMarker;
}

inline bool editingAllowed(bool unlocked, std::int32_t passMode) {
    return unlocked || isPassMode(passMode);
}

// What a dialog asks of the program's lock, without holding the whole program: whether editing
// is allowed now, and what to do where the lock may just have closed (hide what it guards).
struct LockHooks {
    std::function<bool()> editingAllowed;
    std::function<void()> mayHaveLocked;
};

// When Windows locks the session KAVO locks too; pass mode, which the user chose to keep the
// lock off, stays as it is.
inline bool relocksOnSessionLock(std::int32_t passMode) {
    return !isPassMode(passMode);
}

} // namespace kavo
