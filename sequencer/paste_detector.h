// Recognises Ctrl+V from the raw keyboard stream of the whole desktop. Only the left Ctrl key
// counts: keys reported with the E0 or E1 prefix (the right Ctrl among them) neither press nor
// release it.
//
// Raw input alone can miss a Ctrl release: Windows delivers no keys to KAVO while an elevated
// window or the secure desktop has the keyboard. A V therefore counts only while the keyboard
// itself says the left Ctrl key is down, and the remembered state is dropped whenever KAVO may
// have missed a release.
#pragma once

#include <cstdint>

namespace kavo {

// One raw keyboard report: the virtual key and the make/break and prefix flags.
struct RawKey {
    std::uint16_t virtualKey;
    std::uint16_t flags;
};

// The keyboard as it is right now, asked when a V goes down.
class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    virtual bool leftCtrlDown() const = 0;
};

class PasteDetector {
  public:
    // True when this key is a paste: V pressed while the left Ctrl key is down, as seen by raw
    // input and confirmed by the keyboard.
    bool onKey(RawKey key, const KeyboardState& keyboard);
    // The session was locked or unlocked, or another desktop took the input: a release may have
    // gone unseen.
    void forgetCtrl() { ctrlDown_ = false; }
    bool ctrlDown() const { return ctrlDown_; }

  private:
    bool ctrlDown_ = false;
};

} // namespace kavo
