#include "settings/monitor_layout.h"
#include "settings/screen_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace kavo {
namespace {

ScreenRect at(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {x, y, x + width, y + height};
}

// A monitor with a 40-pixel task bar along its bottom.
MonitorArea monitor(ScreenRect bounds, int dpi, bool primary = false) {
    ScreenRect work = bounds;
    work.bottom -= 40;
    return {bounds, work, dpi, primary};
}

SettingsRecord fileRecord(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    SettingsRecord record;
    repairSettings(record, 4000, 4000); // valid durations and modes: only the window matters
    record.windowX = x;
    record.windowY = y;
    record.windowWidth = width;
    record.windowHeight = height;
    record.columnWidthName = 100;
    record.columnWidthType = 30;
    record.columnWidthId = 100;
    record.columnWidthPw = 100;
    return record;
}

ScreenRect windowOf(const SettingsRecord& record) {
    return at(record.windowX, record.windowY, record.windowWidth, record.windowHeight);
}

TEST(ScreenScale, LengthsAtTheUsualScales) {
    struct Row {
        int dpi;
        std::int32_t base;
        std::int32_t scaled;
    };
    // 100%, 125%, 150% and 200%, with the halves that round away from zero.
    for (const Row& row :
         {Row{96, 300, 300}, Row{120, 300, 375}, Row{144, 300, 450}, Row{192, 300, 600},
          Row{120, 30, 38}, Row{144, 30, 45}, Row{120, 16, 20}, Row{144, 16, 24},
          Row{144, 101, 152}, Row{144, -101, -152}, Row{120, -1280, -1600}}) {
        EXPECT_EQ(scaledToDpi(row.base, row.dpi), row.scaled) << row.dpi << " " << row.base;
        EXPECT_EQ(unscaledFromDpi(row.scaled, row.dpi), row.base) << row.dpi << " " << row.base;
    }
    // Nothing overflows: far-off numbers stay at the ends of the range.
    EXPECT_EQ(scaledToDpi(INT_MAX, 192), INT_MAX);
    EXPECT_EQ(scaledToDpi(INT_MIN, 192), INT_MIN);
    // A DPI Windows never gives leaves a length alone.
    EXPECT_EQ(scaledToDpi(300, 0), 300);
}

TEST(ScreenScale, AColumnTakenAcrossScalesAndBackKeepsItsWidthUntilTheUserChangesIt) {
    std::int32_t base = 0;
    std::int32_t shown = 101;
    for (const auto& [from, to] :
         {std::pair{96, 144}, std::pair{144, 192}, std::pair{192, 120}, std::pair{120, 96}}) {
        shown = followScale(shown, base, from, to);
    }
    EXPECT_EQ(shown, 101);
    EXPECT_EQ(followScale(101, base, 96, 144), 152);
    // Dragged at 150%: the new width is the one that travels.
    EXPECT_EQ(followScale(200, base, 144, 96), 133);
    EXPECT_EQ(followScale(133, base, 96, 144), 200);
}

TEST(MonitorLayout, AFileOpensAtTheSameSizeOnEveryScaleAndIsWrittenBackAsItWas) {
    for (const int dpi : {96, 120, 144, 192}) {
        const DisplayLayout one{{monitor(at(0, 0, 3840, 2160), dpi, true)}, dpi};
        const SettingsRecord file = fileRecord(37, 55, 301, 421);
        const SettingsRecord run = settingsOnScreen(file, one);
        EXPECT_EQ(windowOf(run), at(scaledToDpi(37, dpi), scaledToDpi(55, dpi),
                                    scaledToDpi(301, dpi), scaledToDpi(421, dpi)))
            << dpi;
        EXPECT_EQ(run.columnWidthType, scaledToDpi(30, dpi)) << dpi;
        EXPECT_EQ(settingsForFile(run, dpi, dpi), file) << dpi;
    }
}

TEST(MonitorLayout, TheFilesRepairsAreCheckedInTheFilesOwnPixels) {
    // A 1920 x 1080 primary at 150% holds 1280 x 720 of the file's pixels, as an older KAVO saw.
    const DisplayLayout desk{{monitor(at(0, 0, 1920, 1080), 144, true)}, 144};
    SettingsRecord file = fileRecord(0, 0, 1280, 720);
    file.columnWidthId = 640;
    SettingsRecord run = settingsOnScreen(file, desk);
    EXPECT_EQ(windowOf(run), at(0, 0, 1920, 1080)); // the whole screen, as an older KAVO had it
    EXPECT_EQ(run.columnWidthId, 960);
    file.windowWidth = 1281;
    file.columnWidthId = 641;
    run = settingsOnScreen(file, desk);
    EXPECT_EQ(run.windowWidth, 450);
    EXPECT_EQ(run.columnWidthId, 150);
}

TEST(MonitorLayout, AWindowOnAMonitorLeftOfOrAboveThePrimaryOpensThere) {
    const MonitorArea primary = monitor(at(0, 0, 1920, 1080), 144, true);
    struct Desk {
        MonitorArea second;
        SettingsRecord file;
        ScreenRect expected;
    };
    for (const Desk& desk : {
             // Left, at 100%: the file's corner is at the system's 150%, the size at 100%.
             Desk{monitor(at(-1280, 0, 1280, 1024), 96), fileRecord(-700, 100, 300, 350),
                  at(-1050, 150, 300, 350)},
             // Above, at 200%.
             Desk{monitor(at(0, -2160, 3840, 2160), 192), fileRecord(200, -1300, 300, 350),
                  at(300, -1950, 600, 700)},
             // Left and higher than the primary, at 125%.
             Desk{monitor(at(-1600, -400, 1600, 1200), 120), fileRecord(-1000, -200, 300, 350),
                  at(-1500, -300, 375, 438)},
         }) {
        const DisplayLayout layout{{primary, desk.second}, 144};
        const SettingsRecord run = settingsOnScreen(desk.file, layout);
        EXPECT_EQ(windowOf(run), desk.expected);
        EXPECT_EQ(run.columnWidthName, scaledToDpi(100, desk.second.dpi));
        // Written back at exit, the file holds what it held.
        EXPECT_EQ(settingsForFile(run, 144, desk.second.dpi), desk.file);
    }
}

TEST(MonitorLayout, ARectangleNoMonitorShowsIsRepairedAndBroughtOntoThePrimary) {
    const MonitorArea primary = monitor(at(0, 0, 1280, 1024), 96, true);
    const MonitorArea left = monitor(at(-1280, 0, 1280, 1024), 96);
    const DisplayLayout desk{{primary, left}, 96};
    // The monitor at the left has gone: the corner is reset to 0 as the file's rules say.
    const DisplayLayout alone{{primary}, 96};
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(-700, 100, 300, 350), alone)),
              at(0, 100, 300, 350));
    // Above every monitor, or only its bottom edge showing.
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(-700, -500, 300, 350), desk)),
              at(0, 0, 300, 350));
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(100, 1000, 300, 350), desk)),
              at(100, 634, 300, 350));
    // Far beyond the desk, and numbers at the ends of the range.
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(INT_MIN, INT_MAX, 300, 350), desk)),
              at(0, 0, 300, 350));
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(-100000, 50, 300, 350), desk)),
              at(0, 50, 300, 350));
    // Mostly on the left monitor, its caption too: it stays, half over the edge.
    EXPECT_EQ(windowOf(settingsOnScreen(fileRecord(-160, 10, 300, 350), desk)),
              at(-160, 10, 300, 350));
}

TEST(MonitorLayout, ARectangleBelongsToTheMonitorItOverlapsMostElseTheNearest) {
    const std::vector<MonitorArea> monitors{monitor(at(0, 0, 1920, 1080), 96, true),
                                            monitor(at(-1280, 0, 1280, 1024), 120),
                                            monitor(at(0, -1080, 1920, 1080), 144)};
    EXPECT_EQ(monitorOf(at(100, 100, 300, 300), monitors), 0u);
    EXPECT_EQ(monitorOf(at(-200, 100, 300, 300), monitors), 1u); // two thirds on the left
    EXPECT_EQ(monitorOf(at(100, -200, 300, 300), monitors), 2u);
    EXPECT_EQ(monitorOf(at(-3000, 200, 300, 300), monitors), 1u); // off the desk, left
    EXPECT_EQ(monitorOf(at(500, -3000, 300, 300), monitors), 2u);
    EXPECT_EQ(monitorOf(at(5000, 500, 300, 300), monitors), 0u);
    EXPECT_EQ(monitorOf(at(0, 0, 10, 10), {}), 0u);
}

TEST(MonitorLayout, TheSettingsResetIsAtTheWindowsScale) {
    SettingsRecord record = fileRecord(-900, 40, 500, 500);
    record.idTimeMs = 1234;
    resetSettingsOnScreen(record, 144);
    EXPECT_EQ(windowOf(record), at(0, 0, 450, 525));
    EXPECT_EQ(record.columnWidthType, 45);
    EXPECT_EQ(record.idTimeMs, 1234);
}

} // namespace
} // namespace kavo
