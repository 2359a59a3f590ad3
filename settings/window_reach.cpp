#include "settings/window_reach.h"

#include <algorithm>

namespace kavo {

namespace {

// The length of [low, high) that lies inside [areaLow, areaHigh), in 64 bits so that no pair of
// far-off coordinates can overflow.
std::int64_t overlap(std::int32_t low, std::int32_t high, std::int32_t areaLow,
                     std::int32_t areaHigh) {
    const std::int64_t from = std::max(low, areaLow);
    const std::int64_t to = std::min(high, areaHigh);
    return std::max<std::int64_t>(to - from, 0);
}

// The start of a span of this length, as near to start as the area allows.
std::int32_t keptInside(std::int32_t start, std::int32_t length, std::int32_t areaLow,
                        std::int32_t areaHigh) {
    return std::clamp(start, areaLow, std::max(areaLow, areaHigh - length));
}

} // namespace

bool withinReach(const ScreenRect& window, const ScreenRect& workArea) {
    if (window.width() <= 0 || window.height() <= 0) {
        return false;
    }
    const bool captionInside = window.top >= workArea.top && window.top < workArea.bottom;
    const std::int64_t seenWidth =
        overlap(window.left, window.right, workArea.left, workArea.right);
    const std::int64_t seenHeight =
        overlap(window.top, window.bottom, workArea.top, workArea.bottom);
    return captionInside && 2 * seenWidth >= window.width() && 2 * seenHeight >= window.height();
}

ScreenRect broughtIntoReach(const ScreenRect& window, const ScreenRect& workArea) {
    if (withinReach(window, workArea)) {
        return window;
    }
    const std::int32_t width = std::clamp(window.width(), 1, std::max(workArea.width(), 1));
    const std::int32_t height = std::clamp(window.height(), 1, std::max(workArea.height(), 1));
    const std::int32_t left = keptInside(window.left, width, workArea.left, workArea.right);
    const std::int32_t top = keptInside(window.top, height, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}

} // namespace kavo
