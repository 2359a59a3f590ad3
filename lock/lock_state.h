// The lock: editing needs the master password typed in this run, unless pass mode is on.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>

namespace kavo {

inline bool isPassMode(std::int32_t passMode) {
    return passMode == kPassModeMarker;
}

inline bool editingAllowed(bool unlocked, std::int32_t passMode) {
    return unlocked || isPassMode(passMode);
}

} // namespace kavo
