// Where the main window opens: the stored rectangle as the user left it, unless it would leave
// the window out of reach on the screen it is nearest to.
#pragma once

#include <cstdint>

namespace kavo {

// A rectangle in screen pixels; right and bottom lie just outside it.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The window can be seen and taken by its caption: its top edge lies inside the work area, and
// at least half of its width and half of its height do too.
bool withinReach(const ScreenRect& window, const ScreenRect& workArea);

// The rectangle to open at: unchanged while within reach; otherwise moved the shortest way into
// the work area, and made no larger than it.
ScreenRect broughtIntoReach(const ScreenRect& window, const ScreenRect& workArea);

} // namespace kavo
