// The UTF-16LE line format shared by the entry list and the settings file: a FF FE mark, then
// lines ending in CR LF. Works on whole byte buffers so each file is read and written once.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

using Bytes = std::vector<std::uint8_t>;

// Longest line the reader hands over; a longer run of units is split into several lines.
constexpr std::size_t kMaxLineUnits = 518;

// True when the buffer starts with the FF FE byte-order mark.
bool hasTextMark(std::span<const std::uint8_t> bytes);

// What ends a line: only CR LF, or also a lone CR or LF (as other editors may leave them).
enum class LineEnds { CrLf, Any };

// Hands each line after the mark, in order, to the consumer: a line end, or 518 units without
// one, ends a line; each text stops at its first 0 unit and loses up to two trailing CR or LF
// units. The segment after the last line end is one more line (empty when the file ends with
// one). False, and no line, when the mark is missing.
bool forEachTextLine(std::span<const std::uint8_t> bytes,
                     const std::function<void(std::u16string_view line)>& consume,
                     LineEnds ends = LineEnds::CrLf);

// The same lines gathered; nullopt when the mark is missing.
std::optional<std::vector<std::u16string>> splitTextFile(std::span<const std::uint8_t> bytes);

// Appends the UTF-16LE units of a text, without a terminator.
void appendUtf16(Bytes& out, std::u16string_view text);

// FF FE followed by the text's UTF-16LE units.
Bytes encodeTextFile(std::u16string_view text);

} // namespace kavo
