// UTF-16 texts cut to a number of units, as the fixed buffers of the list file, the password
// slots and the edit fields keep them, and made safe to write: a character outside the basic
// plane takes two units (a surrogate pair), and half of one is no character at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// The first half of a surrogate pair, and the second.
bool isHighSurrogate(char16_t unit);
bool isLowSurrogate(char16_t unit);

// At most maxUnits units of the text; a cut that would split a pair moves back before it.
std::u16string_view cutToUnits(std::u16string_view text, std::size_t maxUnits);

// The text with every surrogate that has no partner replaced by U+FFFD, so that no writer puts
// one into a file that a reader would then refuse as no text.
std::u16string wholeCharacters(std::u16string_view text);

// Appends the text's UTF-8 form; half a surrogate pair becomes U+FFFD.
void appendUtf8(std::vector<std::uint8_t>& out, std::u16string_view text);

} // namespace kavo
