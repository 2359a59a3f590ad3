#include "settings/placement.h"

namespace kavo {

std::optional<WindowCorner> placementCorner(Placement placement, std::int32_t screenWidth,
                                            std::int32_t screenHeight, std::int32_t windowWidth,
                                            std::int32_t windowHeight) {
    // In 64 bits, so no pair of 32-bit sizes can overflow; the results fit again.
    const std::int64_t right = std::int64_t{screenWidth} - windowWidth;
    const std::int64_t bottom = std::int64_t{screenHeight} - windowHeight;
    const auto corner = [](std::int64_t x, std::int64_t y) {
        return WindowCorner{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    };
    switch (placement) {
    case Placement::TopLeft:
        return corner(0, 0);
    case Placement::TopRight:
        return corner(right, 0);
    case Placement::BottomLeft:
        return corner(0, bottom);
    case Placement::BottomRight:
        return corner(right, bottom);
    case Placement::Centre:
        return corner(right / 2, bottom / 2);
    default:
        return std::nullopt;
    }
}

} // namespace kavo
