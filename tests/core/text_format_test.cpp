#include "store/text_format.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(FormatText, FillsEachNumberedPlaceAsOftenAsItStandsAndLeavesOthersAlone) {
    EXPECT_EQ(formatText(u"「{0}」の {1} 行目、{0}", {u"a.csv", u"12"}),
              u"「a.csv」の 12 行目、a.csv");
    // A place without a value, and braces that hold no number, stay as written.
    EXPECT_EQ(formatText(u"{2} {x} {} {0", {u"v"}), u"{2} {x} {} {0");
    EXPECT_EQ(
        formatText(u"{10}", {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"ten"}),
        u"ten");
}

} // namespace
} // namespace kavo
