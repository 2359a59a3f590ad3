#include "sequencer/paste_detector.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

constexpr std::uint16_t kControl = 17;
constexpr std::uint16_t kV = 86;
constexpr std::uint16_t kShift = 16;
constexpr std::uint16_t kMake = 0;
constexpr std::uint16_t kBreak = 1;
constexpr std::uint16_t kPrefixE0 = 2;
constexpr std::uint16_t kPrefixE1 = 4;

TEST(PasteDetector, LeftCtrlAndVIsAPasteEveryTimeVGoesDown) {
    PasteDetector detector;
    EXPECT_FALSE(detector.onKey({kControl, kMake}));
    EXPECT_TRUE(detector.ctrlDown());
    EXPECT_TRUE(detector.onKey({kV, kMake}));
    EXPECT_FALSE(detector.onKey({kV, kBreak}));
    EXPECT_TRUE(detector.onKey({kV, kMake})); // Ctrl held, V pressed again
    EXPECT_FALSE(detector.onKey({kControl, kBreak}));
    EXPECT_FALSE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey({kV, kMake}));
}

TEST(PasteDetector, VWithoutCtrlOrWithAPrefixIsNoPaste) {
    PasteDetector detector;
    EXPECT_FALSE(detector.onKey({kV, kMake}));
    detector.onKey({kControl, kMake});
    EXPECT_FALSE(detector.onKey({kV, kPrefixE0}));
}

TEST(PasteDetector, RightCtrlNeitherPressesNorReleases) {
    PasteDetector detector;
    detector.onKey({kControl, kMake | kPrefixE0});
    EXPECT_FALSE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey({kV, kMake}));

    detector.onKey({kControl, kMake});
    detector.onKey({kControl, kBreak | kPrefixE0});
    detector.onKey({kControl, kBreak | kPrefixE1});
    EXPECT_TRUE(detector.ctrlDown());
    EXPECT_TRUE(detector.onKey({kV, kMake}));
}

TEST(PasteDetector, OtherKeysLeaveCtrlAlone) {
    PasteDetector detector;
    detector.onKey({kControl, kMake});
    EXPECT_FALSE(detector.onKey({kShift, kMake}));
    EXPECT_FALSE(detector.onKey({kShift, kBreak}));
    EXPECT_TRUE(detector.ctrlDown());
}

} // namespace
} // namespace kavo
