// The screen position presets: where the main window's top-left corner goes for each value of
// the placement setting.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <optional>

namespace kavo {

struct WindowCorner {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const WindowCorner&) const = default;
};

// The corner for a preset on a screen of this size; nothing for "keep" and any unknown value.
// The whole screen counts (no allowance for a task bar); the centre drops the remainder of
// its halves.
std::optional<WindowCorner> placementCorner(Placement placement, std::int32_t screenWidth,
                                            std::int32_t screenHeight, std::int32_t windowWidth,
                                            std::int32_t windowHeight);

} // namespace kavo
