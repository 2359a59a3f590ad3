#include "sequencer/paste_detector.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavo {
namespace {

constexpr std::uint16_t kControl = 17;
constexpr std::uint16_t kV = 86;
constexpr std::uint16_t kShift = 16;
constexpr std::uint16_t kMake = 0;
constexpr std::uint16_t kBreak = 1;
constexpr std::uint16_t kPrefixE0 = 2;
constexpr std::uint16_t kPrefixE1 = 4;

constexpr RawKey kCtrlDown{kControl, kMake};
constexpr RawKey kCtrlUp{kControl, kBreak};
constexpr RawKey kVDown{kV, kMake};
constexpr RawKey kVUp{kV, kBreak};

// The keys in the order they happened, handled one after the other however late: which of them
// were pastes.
std::vector<bool> pastesIn(PasteDetector& detector, std::initializer_list<RawKey> keys) {
    std::vector<bool> pastes;
    for (const RawKey key : keys) {
        pastes.push_back(detector.onKey(key));
    }
    return pastes;
}

TEST(PasteDetector, EveryVThatGoesDownUnderTheLeftCtrlIsAPasteAsTheStreamHadIt) {
    PasteDetector detector;
    // Held, V twice; then a burst with Ctrl up right after V, as a macro tool sends it; then V
    // alone.
    EXPECT_EQ(pastesIn(detector, {kCtrlDown, kVDown, kVUp, kVDown, kVUp, kCtrlUp}),
              (std::vector<bool>{false, true, false, true, false, false}));
    EXPECT_EQ(pastesIn(detector, {kCtrlDown, kVDown, kCtrlUp, kVUp}),
              (std::vector<bool>{false, true, false, false}));
    EXPECT_FALSE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey(kVDown));
    // Other keys leave Ctrl alone.
    EXPECT_EQ(pastesIn(detector, {kCtrlDown, {kShift, kMake}, {kShift, kBreak}, kVDown}),
              (std::vector<bool>{false, false, false, true}));
}

TEST(PasteDetector, RightCtrlAndPrefixedKeysNeitherPressNorReleaseNorPaste) {
    PasteDetector detector;
    EXPECT_FALSE(detector.onKey({kControl, kMake | kPrefixE0}));
    EXPECT_FALSE(detector.onKey(kVDown));

    detector.onKey(kCtrlDown);
    detector.onKey({kControl, kBreak | kPrefixE0});
    detector.onKey({kControl, kBreak | kPrefixE1});
    EXPECT_TRUE(detector.ctrlDown());
    EXPECT_FALSE(detector.onKey({kV, kPrefixE0}));
    EXPECT_TRUE(detector.onKey(kVDown));
}

TEST(PasteDetector, ACtrlWhoseReleaseMayHaveGoneUnseenMakesNoLaterVAPaste) {
    PasteDetector detector;
    detector.onKey(kCtrlDown);
    detector.forgetCtrl(); // the session locked, another desktop or a higher window took the keys
    EXPECT_FALSE(detector.onKey(kVDown));
    EXPECT_FALSE(detector.onKey(kVDown));                        // nor any V after it
    EXPECT_TRUE(pastesIn(detector, {kCtrlDown, kVDown}).back()); // until Ctrl is pressed again
}

} // namespace
} // namespace kavo
