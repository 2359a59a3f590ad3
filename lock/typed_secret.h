// What is typed into the unlock dialog, kept in KAVO's own memory only: no window holds the text,
// so no other program can ask a control for it, and it is wiped after each check.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kavo {

class TypedSecret {
  public:
    // Clears memory in a way the compiler may not leave out (the platform's own primitive).
    using Wipe = void (*)(void* data, std::size_t bytes);
    // Twice the longest master password: once full, the text can match none, so nothing typed
    // beyond it is needed to refuse it.
    static constexpr std::size_t kCapacity = 256;

    explicit TypedSecret(Wipe wipe) : wipe_(wipe) {}
    ~TypedSecret() { clear(); }
    TypedSecret(const TypedSecret&) = delete;
    TypedSecret& operator=(const TypedSecret&) = delete;

    // One character the keyboard produced. Printable ones are appended while there is room;
    // Backspace takes the last character off (a surrogate pair whole); every other control
    // character (Enter, Tab, Escape, the 0x16 of Ctrl+V) is no part of a password.
    void onCharacter(char16_t c);
    std::u16string_view view() const { return {units_.data(), length_}; }
    void clear();

  private:
    std::array<char16_t, kCapacity> units_{};
    std::size_t length_ = 0;
    Wipe wipe_;
};

} // namespace kavo
