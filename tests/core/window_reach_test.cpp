#include "settings/window_reach.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

constexpr ScreenRect kWorkArea{0, 0, 1280, 984}; // a 1280 x 1024 screen above a task bar

ScreenRect at(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {x, y, x + width, y + height};
}

TEST(WindowReach, AWindowMostlyOnTheScreenWithItsCaptionStaysWhereTheUserLeftIt) {
    for (const ScreenRect& kept :
         {at(137, 211, 421, 515), at(1130, 600, 300, 350), at(-150, 634, 300, 350)}) {
        EXPECT_EQ(broughtIntoReach(kept, kWorkArea), kept) << kept.left << "," << kept.top;
    }
}

TEST(WindowReach, AWindowOutOfReachMovesTheShortestWayOntoTheScreen) {
    // Only the caption strip at the bottom (a minimized window's place under Wine).
    EXPECT_EQ(broughtIntoReach(at(0, 1000, 160, 350), kWorkArea), at(0, 634, 160, 350));
    // The caption above the screen's top edge, however much of the rest shows.
    EXPECT_EQ(broughtIntoReach(at(40, -10, 300, 350), kWorkArea), at(40, 0, 300, 350));
    // Less than half of it on the screen at the right, or on a screen that has gone.
    EXPECT_EQ(broughtIntoReach(at(1200, 100, 300, 350), kWorkArea), at(980, 100, 300, 350));
    // Larger than the work area: it shrinks to fit.
    EXPECT_EQ(broughtIntoReach(at(500, 500, 2000, 1200), kWorkArea), kWorkArea);
    // A second screen to the left of the primary one.
    const ScreenRect left{-1024, 0, 0, 738};
    EXPECT_EQ(broughtIntoReach(at(-1100, 700, 300, 350), left), at(-1024, 388, 300, 350));
}

} // namespace
} // namespace kavo
