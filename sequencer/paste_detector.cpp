#include "sequencer/paste_detector.h"

namespace kavo {

namespace {

constexpr std::uint16_t kVirtualKeyControl = 17;
constexpr std::uint16_t kVirtualKeyV = 86;

// Flag values of a plain key without prefix; any prefix bit makes the value differ.
constexpr std::uint16_t kKeyMake = 0;
constexpr std::uint16_t kKeyBreak = 1;

} // namespace

bool PasteDetector::onKey(RawKey key, const KeyboardState& keyboard) {
    if (key.virtualKey == kVirtualKeyControl) {
        if (key.flags == kKeyMake) {
            ctrlDown_ = true;
        } else if (key.flags == kKeyBreak) {
            ctrlDown_ = false;
        }
        return false;
    }
    if (key.virtualKey != kVirtualKeyV || key.flags != kKeyMake || !ctrlDown_) {
        return false;
    }
    // A Ctrl that raw input still thinks is down but the keyboard does not was released
    // unseen: forget it, so later Vs do not count either.
    ctrlDown_ = keyboard.leftCtrlDown();
    return ctrlDown_;
}

} // namespace kavo
