#include "settings/settings_record.h"
#include "store/text_lines.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

SettingsRecord loaded(std::u16string_view fileText, int screenWidth = 1366,
                      int screenHeight = 768) {
    SettingsRecord record;
    const auto lines = splitTextFile(encodeTextFile(fileText));
    applySettingsLines(record, *lines);
    repairSettings(record, screenWidth, screenHeight);
    return record;
}

TEST(SettingsRecord, DefaultFileHasExactlyTheEighteenRepairedLines) {
    SettingsRecord record;
    repairSettings(record, 1280, 1024);
    const Bytes bytes = encodeTextFile(settingsFileText(record));
    const std::u16string expected = u"0\r\n0\r\n300\r\n350\r\n0\r\n0\r\n0\r\n0\r\n100\r\n30\r\n"
                                    u"100\r\n100\r\n0\r\n0\r\n4000\r\n4000\r\n5000\r\n0\r\n";
    EXPECT_EQ(bytes, encodeTextFile(expected));
    EXPECT_EQ(bytes.size(), 2 + expected.size() * 2);
}

TEST(SettingsRecord, RoundTripsThroughTheFileText) {
    SettingsRecord record;
    for (int k = 0; k < kSettingsCount; ++k) {
        setSettingsValue(record, k, 1000 + k);
    }
    SettingsRecord back;
    const auto lines = splitTextFile(encodeTextFile(settingsFileText(record)));
    applySettingsLines(back, *lines);
    EXPECT_EQ(back, record);
    setSettingsValue(back, 18, 1);
    setSettingsValue(back, -1, 1);
    EXPECT_EQ(back, record);
    EXPECT_EQ(settingsValue(record, 17), 1017);
    EXPECT_EQ(settingsValue(record, 18), 0);
}

TEST(SettingsRecord, RectangleBoundsAreInclusive) {
    auto r = loaded(u"1366\r\n768\r\n100\r\n30\r\n");
    EXPECT_EQ(r.windowX, 1366);
    EXPECT_EQ(r.windowY, 768);
    EXPECT_EQ(r.windowWidth, 100);
    EXPECT_EQ(r.windowHeight, 30);
    r = loaded(u"-1\r\n769\r\n99\r\n29\r\n");
    EXPECT_EQ(r.windowX, 0);
    EXPECT_EQ(r.windowY, 0);
    EXPECT_EQ(r.windowWidth, 300);
    EXPECT_EQ(r.windowHeight, 350);
    r = loaded(u"0\r\n0\r\n1367\r\n769\r\n");
    EXPECT_EQ(r.windowWidth, 300);
    EXPECT_EQ(r.windowHeight, 350);
}

TEST(SettingsRecord, ColumnWidthsAreCheckedAgainstHalfTheScreen) {
    auto r = loaded(u"0\r\n0\r\n300\r\n350\r\n0\r\n0\r\n0\r\n0\r\n683\r\n684\r\n2\r\n3\r\n");
    EXPECT_EQ(r.columnWidthName, 683);
    EXPECT_EQ(r.columnWidthType, 30);
    EXPECT_EQ(r.columnWidthId, 100);
    EXPECT_EQ(r.columnWidthPw, 3);
}

TEST(SettingsRecord, ModesAndDurationsRepairToTheStartValues) {
    auto r = loaded(u"0\r\n0\r\n300\r\n350\r\n6\r\n7\r\n2\r\n3\r\n100\r\n30\r\n100\r\n100\r\n"
                    u"1\r\n2\r\n99\r\n10001\r\n0\r\n3\r\n");
    EXPECT_EQ(r.placement, Placement::Keep);
    EXPECT_EQ(r.stacking, Stacking::TopAtIdBottomAtEnd); // the start value, not the reset one
    EXPECT_EQ(r.clearSelectionAtEnd, 0);
    EXPECT_EQ(r.copyMethod, CopyMethod::ToolbarOnly);
    EXPECT_EQ(r.passMode, 0);
    EXPECT_EQ(r.pwTimerForButton, 0);
    EXPECT_EQ(r.idTimeMs, 4000);
    EXPECT_EQ(r.pwTimeMs, 4000);
    EXPECT_EQ(r.pwShowMs, 5000);
    EXPECT_EQ(r.pasteArmed, 0);
    r = loaded(u"0\r\n0\r\n300\r\n350\r\n5\r\n3\r\n1\r\n2\r\n100\r\n30\r\n100\r\n100\r\n"
               u"5147\r\n1\r\n100\r\n10000\r\n30000\r\n2\r\n");
    EXPECT_EQ(r.placement, Placement::Centre);
    EXPECT_EQ(r.stacking, Stacking::AlwaysOnTop);
    EXPECT_EQ(r.passMode, kPassModeMarker);
    EXPECT_EQ(r.idTimeMs, 100);
    EXPECT_EQ(r.pwTimeMs, 10000);
    EXPECT_EQ(r.pwShowMs, 30000);
    EXPECT_EQ(r.pasteArmed, 2);
}

TEST(SettingsRecord, ShortAndOddFilesStillGiveAValidRecord) {
    // Five lines: the empty last segment gives 0 for field 5, the rest keep 0 and are repaired.
    auto r = loaded(u"10\r\n20\r\n400\r\n500\r\n1\r\n");
    EXPECT_EQ(r.windowX, 10);
    EXPECT_EQ(r.placement, Placement::TopLeft);
    EXPECT_EQ(r.columnWidthType, 30);
    EXPECT_EQ(r.idTimeMs, 4000);
    // Text, blanks, signs and numbers past the 32-bit range.
    r = loaded(u" 250\r\n250abc\r\nwide\r\n99999999999\r\n");
    EXPECT_EQ(r.windowX, 250);
    EXPECT_EQ(r.windowY, 250);
    EXPECT_EQ(r.windowWidth, 300);
    EXPECT_EQ(r.windowHeight, 350);
    // More than 18 lines: the extra lines change nothing.
    std::u16string many;
    for (int k = 0; k < 25; ++k) {
        many += u"1\r\n";
    }
    r = loaded(many);
    EXPECT_EQ(r.pasteArmed, 1);
}

TEST(SettingsRecord, ResetLeavesTheLastFourValuesAlone) {
    SettingsRecord r;
    for (int k = 0; k < kSettingsCount; ++k) {
        setSettingsValue(r, k, 7);
    }
    resetSettings(r);
    EXPECT_EQ(settingsFileText(r), u"0\r\n0\r\n300\r\n350\r\n0\r\n1\r\n0\r\n0\r\n100\r\n30\r\n"
                                   u"100\r\n100\r\n0\r\n0\r\n7\r\n7\r\n7\r\n7\r\n");
}

} // namespace
} // namespace kavo
