#include "sequencer/paste_detector.h"

namespace kavo {

namespace {

constexpr std::uint16_t kVirtualKeyControl = 17;
constexpr std::uint16_t kVirtualKeyV = 86;

// Flag values of a plain key without prefix; any prefix bit makes the value differ.
constexpr std::uint16_t kKeyMake = 0;
constexpr std::uint16_t kKeyBreak = 1;

} // namespace

bool PasteDetector::onKey(RawKey key) {
    if (key.virtualKey == kVirtualKeyControl) {
        if (key.flags == kKeyMake) {
            ctrlDown_ = true;
        } else if (key.flags == kKeyBreak) {
            ctrlDown_ = false;
        }
        return false;
    }
    return key.virtualKey == kVirtualKeyV && key.flags == kKeyMake && ctrlDown_;
}

} // namespace kavo
