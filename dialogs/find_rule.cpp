#include "dialogs/find_rule.h"

#include "resources/texts.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr char16_t kFullWidthFirst = 0xFF01; // ！
constexpr char16_t kFullWidthLast = 0xFF5E;  // ～
constexpr char16_t kFullToHalfWidth = 0xFEE0;
constexpr char16_t kIdeographicSpace = 0x3000;

struct CaseRange {
    char16_t first;
    char16_t last;
    char16_t toSmall; // added to a capital letter in the range
};

// Capital letters whose small letter lies at a fixed distance. The gaps (×, and the unassigned
// U+03A2) are ranges of their own.
constexpr CaseRange kCapitals[] = {
    {u'A', u'Z', 0x20},     {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0391, 0x03A1, 0x20},
    {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50}, {0x0410, 0x042F, 0x20},
};

char16_t foldUnit(char16_t unit) {
    if (unit >= kFullWidthFirst && unit <= kFullWidthLast) {
        unit = static_cast<char16_t>(unit - kFullToHalfWidth);
    } else if (unit == kIdeographicSpace) {
        unit = u' ';
    }
    for (const CaseRange& range : kCapitals) {
        if (unit >= range.first && unit <= range.last) {
            return static_cast<char16_t>(unit + range.toSmall);
        }
    }
    return unit;
}

bool rowMatches(const EntryTable& table, int row, std::u16string_view foldedNeedle) {
    return entryMatches(table.cellText(row, kCellTitle), table.cellText(row, kCellId),
                        foldedNeedle);
}

} // namespace

std::u16string foldForFind(std::u16string_view text) {
    std::u16string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldUnit);
    return folded;
}

bool entryMatches(std::u16string_view title, std::u16string_view id,
                  std::u16string_view foldedNeedle) {
    if (foldedNeedle.empty()) {
        return false;
    }
    return foldForFind(title).find(foldedNeedle) != std::u16string::npos ||
           foldForFind(id).find(foldedNeedle) != std::u16string::npos;
}

FindResult findFirst(const EntryTable& table, std::u16string_view text) {
    return findFrom(table, text, -1, FindDirection::Next);
}

FindResult findFrom(const EntryTable& table, std::u16string_view text, int from,
                    FindDirection direction) {
    const std::u16string needle = foldForFind(text);
    const int count = table.rowCount();
    if (count == 0 || needle.empty()) {
        return {};
    }
    const int sign = direction == FindDirection::Next ? 1 : -1;
    // Nothing selected: start just outside the table, so the first step lands on its first (or
    // last) row without going around.
    const bool outside = from < 0 || from >= count;
    const int start = !outside ? from : direction == FindDirection::Next ? -1 : count;
    for (int step = 1; step <= count; ++step) {
        const int beyond = start + sign * step;
        const int row = (beyond % count + count) % count;
        if (rowMatches(table, row, needle)) {
            return {row, beyond < 0 || beyond >= count};
        }
    }
    return {};
}

std::u16string_view findStatusText(const FindResult& result, FindDirection direction) {
    if (result.row < 0) {
        return kFindNoMatchText;
    }
    if (!result.wrapped) {
        return {};
    }
    return direction == FindDirection::Next ? kFindWrappedToTopText : kFindWrappedToBottomText;
}

ScreenRect findBoxPlace(const ScreenRect& box, const ScreenRect& owner,
                        const ScreenRect& workArea) {
    const std::int32_t width = box.width();
    const std::int32_t height = box.height();
    if (width > workArea.width()) {
        return box;
    }
    std::int32_t top = owner.bottom;
    if (top + height > workArea.bottom) {
        top = owner.top - height;
        if (top < workArea.top) {
            return box;
        }
    }
    const std::int32_t left = std::clamp(owner.left, workArea.left, workArea.right - width);
    return {left, top, left + width, top + height};
}

} // namespace kavo
