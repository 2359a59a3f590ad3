#include "store/decimal_text.h"
#include "store/text_lines.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

std::vector<std::u16string> split(std::u16string_view text) {
    return splitTextFile(encodeTextFile(text)).value();
}

TEST(TextLines, OnlyCrLfEndsALineAndTheLastSegmentIsHandedOver) {
    EXPECT_EQ(split(u"a\r\nb\r\n"), (std::vector<std::u16string>{u"a", u"b", u""}));
    EXPECT_EQ(split(u"a\r\nrest"), (std::vector<std::u16string>{u"a", u"rest"}));
    // Bare LF and bare CR do not split; a trailing one is trimmed from the text.
    EXPECT_EQ(split(u"a\nb\rc\n"), (std::vector<std::u16string>{u"a\nb\rc"}));
    EXPECT_EQ(split(u""), (std::vector<std::u16string>{u""}));
}

TEST(TextLines, AtMostTwoTrailingBreakUnitsAreRemoved) {
    // The line ends at the CR LF; only two of its four trailing break units go.
    EXPECT_EQ(split(u"x\n\r\r\n"), (std::vector<std::u16string>{u"x\n\r", u""}));
    EXPECT_EQ(split(u"x\r\n"), (std::vector<std::u16string>{u"x", u""}));
}

TEST(TextLines, TextStopsAtTheFirstZeroUnit) {
    const std::u16string withZero{u'a', u'\0', u'b', u'\r', u'\n', u'c'};
    EXPECT_EQ(split(withZero), (std::vector<std::u16string>{u"a", u"c"}));
}

TEST(TextLines, LongRunsAreSplitAt518Units) {
    const std::u16string line(600, u'x');
    const auto lines = split(line + u"\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 518u);
    EXPECT_EQ(lines[1], std::u16string(82, u'x'));
    EXPECT_EQ(lines[2], u"");
    // A CR LF split across the 518-unit boundary: the LF starts the next line.
    const auto edge = split(std::u16string(517, u'y') + u"\r\nz");
    ASSERT_EQ(edge.size(), 2u);
    EXPECT_EQ(edge[0], std::u16string(517, u'y'));
    EXPECT_EQ(edge[1], u"\nz");
}

TEST(TextLines, MissingMarkIsRefusedAndOddBytesStillCount) {
    const Bytes ansi{'1', '2', '\r', '\n'};
    EXPECT_FALSE(splitTextFile(ansi).has_value());
    EXPECT_FALSE(splitTextFile(Bytes{0xFF}).has_value());
    const Bytes odd{0xFF, 0xFE, 'a', 0, 'b'};
    EXPECT_EQ(splitTextFile(odd).value(), (std::vector<std::u16string>{u"ab"}));
}

TEST(TextLines, EncodeWritesMarkAndLittleEndianUnits) {
    EXPECT_EQ(encodeTextFile(u"\u3042\r\n"), (Bytes{0xFF, 0xFE, 0x42, 0x30, 0x0D, 0, 0x0A, 0}));
}

TEST(DecimalText, ParsesLikeWtoi) {
    EXPECT_EQ(parseLeadingInt(u"250"), 250);
    EXPECT_EQ(parseLeadingInt(u"  \t250"), 250);
    EXPECT_EQ(parseLeadingInt(u"250px"), 250);
    EXPECT_EQ(parseLeadingInt(u"-5"), -5);
    EXPECT_EQ(parseLeadingInt(u"+7"), 7);
    EXPECT_EQ(parseLeadingInt(u"*******"), 0);
    EXPECT_EQ(parseLeadingInt(u""), 0);
    EXPECT_EQ(parseLeadingInt(u"- 5"), 0);
    EXPECT_EQ(parseLeadingInt(u"\uFF15"), 0); // full-width digits are not digits here
    // The ideographic and no-break spaces are blanks to _wtoi too; NEL is not.
    EXPECT_EQ(parseLeadingInt(u"\u3000 50"), 50);
    EXPECT_EQ(parseLeadingInt(u"\u00A050"), 50);
    EXPECT_EQ(parseLeadingInt(u"\u008550"), 0);
}

TEST(DecimalText, SaturatesBeyondThe32BitRange) {
    EXPECT_EQ(parseLeadingInt(u"2147483647"), 2147483647);
    EXPECT_EQ(parseLeadingInt(u"2147483648"), 2147483647);
    EXPECT_EQ(parseLeadingInt(u"99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseLeadingInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseLeadingInt(u"-2147483649"), -2147483647 - 1);
    EXPECT_EQ(formatInt(-2147483647 - 1), u"-2147483648");
}

TEST(TextLines, WhereAnyLineEndCountsCrLfIsStillOneAndLoneCrOrLfEndALine) {
    const auto splitAny = [](std::u16string_view text) {
        std::vector<std::u16string> lines;
        forEachTextLine(
            encodeTextFile(text), [&](std::u16string_view line) { lines.emplace_back(line); },
            LineEnds::Any);
        return lines;
    };
    EXPECT_EQ(splitAny(u"a\r\nb\nc\rd"), (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(splitAny(u"a\r\n\r\nb"), (std::vector<std::u16string>{u"a", u"", u"b"}));
    EXPECT_EQ(splitAny(u"a\n\rb"), (std::vector<std::u16string>{u"a", u"", u"b"}));
}

} // namespace
} // namespace kavo
