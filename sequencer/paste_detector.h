// Recognises Ctrl+V from the raw keyboard stream of the whole desktop. Only the left Ctrl key
// counts: keys reported with the E0 or E1 prefix (the right Ctrl among them) neither press nor
// release it.
#pragma once

#include <cstdint>

namespace kavo {

// One raw keyboard report: the virtual key and the make/break and prefix flags.
struct RawKey {
    std::uint16_t virtualKey;
    std::uint16_t flags;
};

class PasteDetector {
  public:
    // True when this key is a paste: V pressed while the left Ctrl key is down.
    bool onKey(RawKey key);
    bool ctrlDown() const { return ctrlDown_; }

  private:
    bool ctrlDown_ = false;
};

} // namespace kavo
