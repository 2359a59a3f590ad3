#include "store/utf16_text.h"

namespace kavo {

namespace {

constexpr char16_t kFirstHighSurrogate = 0xD800;
constexpr char16_t kLastHighSurrogate = 0xDBFF;
constexpr char16_t kFirstLowSurrogate = 0xDC00;
constexpr char16_t kLastLowSurrogate = 0xDFFF;
constexpr char16_t kReplacementCharacter = 0xFFFD;

} // namespace

bool isHighSurrogate(char16_t unit) {
    return unit >= kFirstHighSurrogate && unit <= kLastHighSurrogate;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= kFirstLowSurrogate && unit <= kLastLowSurrogate;
}

std::u16string_view cutToUnits(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) {
        return text;
    }
    const bool splitsPair = maxUnits > 0 && isHighSurrogate(text[maxUnits - 1]);
    return text.substr(0, splitsPair ? maxUnits - 1 : maxUnits);
}

std::u16string wholeCharacters(std::u16string_view text) {
    std::u16string whole(text);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (isHighSurrogate(whole[i]) && i + 1 < whole.size() && isLowSurrogate(whole[i + 1])) {
            ++i;
        } else if (isHighSurrogate(whole[i]) || isLowSurrogate(whole[i])) {
            whole[i] = kReplacementCharacter;
        }
    }
    return whole;
}

void appendUtf8(std::vector<std::uint8_t>& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            point = 0x10000 + ((point - kFirstHighSurrogate) << 10) +
                    (static_cast<char32_t>(text[++i]) - kFirstLowSurrogate);
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            // Half a pair has no UTF-8 form; a reader would refuse the whole text for it.
            point = kReplacementCharacter;
        }
        if (point < 0x80) {
            out.push_back(static_cast<std::uint8_t>(point));
        } else if (point < 0x800) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | (point >> 6)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
        } else if (point < 0x10000) {
            out.push_back(static_cast<std::uint8_t>(0xE0 | (point >> 12)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
        } else {
            out.push_back(static_cast<std::uint8_t>(0xF0 | (point >> 18)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 12) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
        }
    }
}

} // namespace kavo
