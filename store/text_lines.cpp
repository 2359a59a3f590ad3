#include "store/text_lines.h"

namespace kavo {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

// The text of a raw line: up to its first 0 unit, then at most two trailing CR or LF removed.
std::u16string_view lineText(std::u16string_view raw) {
    std::u16string_view text = raw.substr(0, raw.find(u'\0'));
    for (int pass = 0; pass < 2 && !text.empty(); ++pass) {
        if (text.back() == kCr || text.back() == kLf) {
            text.remove_suffix(1);
        }
    }
    return text;
}

} // namespace

bool hasTextMark(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

bool forEachTextLine(std::span<const std::uint8_t> bytes,
                     const std::function<void(std::u16string_view line)>& consume, LineEnds ends) {
    if (!hasTextMark(bytes)) {
        return false;
    }
    std::u16string raw;
    // The LF of a CR LF whose CR already ended the line.
    bool lfEndsNothing = false;
    for (std::size_t pos = 2; pos < bytes.size(); pos += 2) {
        // A lone last byte still forms a unit, as a short read would leave it.
        const char16_t high = pos + 1 < bytes.size() ? bytes[pos + 1] : 0;
        const char16_t unit = static_cast<char16_t>(bytes[pos] | (high << 8));
        if (ends == LineEnds::Any && (unit == kCr || unit == kLf)) {
            const bool secondHalf = unit == kLf && lfEndsNothing;
            lfEndsNothing = unit == kCr;
            if (!secondHalf) {
                consume(lineText(raw));
                raw.clear();
            }
            continue;
        }
        lfEndsNothing = false;
        raw.push_back(unit);
        const bool crLf = raw.size() >= 2 && unit == kLf && raw[raw.size() - 2] == kCr;
        if (crLf || raw.size() == kMaxLineUnits) {
            consume(lineText(raw));
            raw.clear();
        }
    }
    consume(lineText(raw));
    return true;
}

std::optional<std::vector<std::u16string>> splitTextFile(std::span<const std::uint8_t> bytes) {
    std::vector<std::u16string> lines;
    if (!forEachTextLine(bytes, [&](std::u16string_view line) { lines.emplace_back(line); })) {
        return std::nullopt;
    }
    return lines;
}

void appendUtf16(Bytes& out, std::u16string_view text) {
    for (char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
}

Bytes encodeTextFile(std::u16string_view text) {
    Bytes out{0xFF, 0xFE};
    out.reserve(2 + text.size() * 2);
    appendUtf16(out, text);
    return out;
}

} // namespace kavo
