#include "lock/dot_count.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr unsigned kBackspaceKey = 0x08;
constexpr unsigned kFirstCountedKey = 0x30;
constexpr unsigned kLastCountedKey = 0x7A;
constexpr char16_t kDot = u'●';

} // namespace

int dotCountAfterKey(int dotCount, unsigned virtualKey) {
    if (virtualKey == kBackspaceKey) {
        return std::max(dotCount - 1, 0);
    }
    if (virtualKey >= kFirstCountedKey && virtualKey <= kLastCountedKey) {
        return std::min(dotCount + 1, kMaxDots);
    }
    return dotCount;
}

std::u16string dotRow(int dotCount) {
    return std::u16string(static_cast<std::size_t>(std::clamp(dotCount, 0, kMaxDots)), kDot);
}

} // namespace kavo
