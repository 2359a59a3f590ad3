// Wiping memory that held a password before it is freed or reused: through volatile stores, which
// the compiler may not leave out as it may a plain memset of memory about to go.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kavo {

inline void wipeMemory(void* data, std::size_t bytes) {
    volatile unsigned char* at = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < bytes; ++i) {
        at[i] = 0;
    }
}

// Wipes the text's whole buffer, then empties it.
inline void wipeText(std::u16string& text) {
    wipeMemory(text.data(), text.capacity() * sizeof(char16_t));
    text.clear();
}

// Wipes a buffer that held passwords when the scope ends, whichever way it ends.
template <typename Buffer>
class WipedAtEnd {
  public:
    explicit WipedAtEnd(Buffer& buffer) : buffer_(buffer) {}
    ~WipedAtEnd() { wipeMemory(buffer_.data(), buffer_.size() * sizeof(*buffer_.data())); }
    WipedAtEnd(const WipedAtEnd&) = delete;
    WipedAtEnd& operator=(const WipedAtEnd&) = delete;

  private:
    Buffer& buffer_;
};

} // namespace kavo
