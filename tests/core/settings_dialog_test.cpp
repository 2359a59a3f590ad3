#include "dialogs/settings_dialog.h"
#include "settings/placement.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(SettingsDialog, PlacementCornersAndDurationFieldReads) {
    // The whole screen counts, and the centre drops the half pixel.
    const auto at = [](std::int32_t placement) {
        return placementCorner(placement, 1920, 1080, 300, 350);
    };
    EXPECT_EQ(at(kPlacementTopLeft), (WindowCorner{0, 0}));
    EXPECT_EQ(at(kPlacementTopRight), (WindowCorner{1620, 0}));
    EXPECT_EQ(at(kPlacementBottomLeft), (WindowCorner{0, 730}));
    EXPECT_EQ(at(kPlacementBottomRight), (WindowCorner{1620, 730}));
    EXPECT_EQ(at(kPlacementCentre), (WindowCorner{810, 365}));
    EXPECT_EQ(placementCorner(kPlacementCentre, 1366, 768, 301, 351), (WindowCorner{532, 208}));
    EXPECT_EQ(at(kPlacementKeep), std::nullopt);
    EXPECT_EQ(at(6), std::nullopt);

    // Five units read like _wtoi; out of range gives the field's default.
    const auto idTime = [](std::u16string_view text) {
        return durationFromText(text, 100, 10000, 4000);
    };
    EXPECT_EQ(idTime(u"  500ms"), 500);
    EXPECT_EQ(idTime(u"\u3000250"), 250);
    EXPECT_EQ(idTime(u"100000"), 10000);
    EXPECT_EQ(idTime(u"10001"), 4000);
    EXPECT_EQ(idTime(u"100"), 100);
    EXPECT_EQ(idTime(u"99"), 4000);
    EXPECT_EQ(idTime(u"-5"), 4000);
    EXPECT_EQ(idTime(u""), 4000);
    EXPECT_EQ(durationFromText(u"3000099", 1, 30000, 5000), 30000);
    EXPECT_EQ(durationFromText(u"0", 1, 30000, 5000), 5000);
}

} // namespace
} // namespace kavo
