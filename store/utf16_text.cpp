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

} // namespace kavo
