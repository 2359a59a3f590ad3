// Recognises Ctrl+V from the raw keyboard stream of the whole desktop. Only the left Ctrl key
// counts: keys reported with the E0 or E1 prefix (the right Ctrl among them) neither press nor
// release it.
//
// The decision rests on the stream alone, in the order the keys happened: a V counts when the
// stream had the left Ctrl down for it, however soon Ctrl went up after it and however late KAVO
// handles the keys. What the stream cannot show is a Ctrl release that never reached KAVO (the
// keyboard with another desktop or session, or with a window of a higher integrity level, which
// Windows keeps raw input from): wherever such a gap may begin, the remembered Ctrl is dropped,
// so only a Ctrl pressed again makes a paste.
#pragma once

#include <cstdint>
#include <optional>

namespace kavo {

// One raw keyboard report: the virtual key and the make/break and prefix flags.
struct RawKey {
    std::uint16_t virtualKey;
    std::uint16_t flags;
};

class PasteDetector {
  public:
    // True when this key is a paste: V pressed while the stream has the left Ctrl key down.
    bool onKey(RawKey key);
    // The session was locked or unlocked, another desktop took the input, or the keyboard went
    // to a window whose keys KAVO does not get: a release may go unseen.
    void forgetCtrl() { ctrlDown_ = false; }
    bool ctrlDown() const { return ctrlDown_; }

  private:
    bool ctrlDown_ = false;
};

// Whether the keyboard, now with a window of this integrity level (nullopt: it could not be
// asked), may send keys KAVO, at its own level, never sees.
inline bool keysMayBeHidden(std::optional<std::uint32_t> foregroundLevel, std::uint32_t ownLevel) {
    return !foregroundLevel || *foregroundLevel > ownLevel;
}

} // namespace kavo
