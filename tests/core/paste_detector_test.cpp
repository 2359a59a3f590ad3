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

// The keyboard's own word on the left Ctrl key; down unless a test says otherwise.
class FakeKeyboard : public KeyboardState {
  public:
    bool ctrl = true;
    bool leftCtrlDown() const override { return ctrl; }
};

TEST(PasteDetector, LeftCtrlAndVIsAPasteEveryTimeVGoesDown) {
    PasteDetector detector;
    FakeKeyboard keyboard;
    EXPECT_FALSE(detector.onKey({kControl, kMake}, keyboard));
    EXPECT_TRUE(detector.ctrlDown());
    EXPECT_TRUE(detector.onKey({kV, kMake}, keyboard));
    EXPECT_FALSE(detector.onKey({kV, kBreak}, keyboard));
    EXPECT_TRUE(detector.onKey({kV, kMake}, keyboard)); // Ctrl held, V pressed again
    EXPECT_FALSE(detector.onKey({kControl, kBreak}, keyboard));
    EXPECT_FALSE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard));
}

TEST(PasteDetector, VWithoutCtrlOrWithAPrefixIsNoPaste) {
    PasteDetector detector;
    FakeKeyboard keyboard;
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard));
    detector.onKey({kControl, kMake}, keyboard);
    EXPECT_FALSE(detector.onKey({kV, kPrefixE0}, keyboard));
}

TEST(PasteDetector, RightCtrlNeitherPressesNorReleases) {
    PasteDetector detector;
    FakeKeyboard keyboard;
    detector.onKey({kControl, kMake | kPrefixE0}, keyboard);
    EXPECT_FALSE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard));

    detector.onKey({kControl, kMake}, keyboard);
    detector.onKey({kControl, kBreak | kPrefixE0}, keyboard);
    detector.onKey({kControl, kBreak | kPrefixE1}, keyboard);
    EXPECT_TRUE(detector.ctrlDown());
    EXPECT_TRUE(detector.onKey({kV, kMake}, keyboard));
}

TEST(PasteDetector, OtherKeysLeaveCtrlAlone) {
    PasteDetector detector;
    FakeKeyboard keyboard;
    detector.onKey({kControl, kMake}, keyboard);
    EXPECT_FALSE(detector.onKey({kShift, kMake}, keyboard));
    EXPECT_FALSE(detector.onKey({kShift, kBreak}, keyboard));
    EXPECT_TRUE(detector.ctrlDown());
}

TEST(PasteDetector, AStaleCtrlCountsForNothing) {
    PasteDetector detector;
    FakeKeyboard keyboard;
    detector.onKey({kControl, kMake}, keyboard);
    keyboard.ctrl = false; // released where raw input could not see it
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard));
    keyboard.ctrl = true;
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard)); // forgotten until pressed again
    detector.onKey({kControl, kMake}, keyboard);
    detector.forgetCtrl(); // the session locked, or another desktop took the input
    EXPECT_FALSE(detector.onKey({kV, kMake}, keyboard));
}

} // namespace
} // namespace kavo
