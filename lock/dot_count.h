// The row of dots in the unlock dialog. It counts key presses, not characters: the typed text
// itself is never shown, and the dots say only roughly how much has been typed.
#pragma once

#include <string>

namespace kavo {

constexpr int kMaxDots = 12;
constexpr unsigned kCheckKey = 0x0D; // Enter runs the check instead of counting

// The count after a key-down of the virtual key: Backspace takes a dot off, the keys from
// '0' (0x30) to F11 (0x7A) add one, up to kMaxDots; any other key (space, punctuation, Shift,
// arrows) leaves the count alone. Auto-repeat counts each time.
int dotCountAfterKey(int dotCount, unsigned virtualKey);

// The text drawn in the dot field.
std::u16string dotRow(int dotCount);

} // namespace kavo
