// The settings reader and repair on any bytes and any screen: every repaired value is in its
// range, and a repaired record is written and read back unchanged.
#include "settings/settings_record.h"
#include "store/text_lines.h"

#include <cstdlib>

namespace {

kavo::SettingsRecord readAndRepair(std::span<const std::uint8_t> bytes, std::int32_t width,
                                   std::int32_t height) {
    kavo::SettingsRecord record;
    if (const auto lines = kavo::splitTextFile(bytes)) {
        kavo::applySettingsLines(record, *lines);
    }
    kavo::repairSettings(record, width, height);
    return record;
}

bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

bool inRange(const kavo::SettingsRecord& r, std::int32_t width, std::int32_t height) {
    const std::int32_t half = width / 2;
    return within(r.windowX, 0, width) && within(r.windowY, 0, height) &&
           (within(r.windowWidth, 100, width) || r.windowWidth == 300) &&
           (within(r.windowHeight, 30, height) || r.windowHeight == 350) &&
           within(static_cast<std::int32_t>(r.placement), 0, 5) &&
           within(static_cast<std::int32_t>(r.stacking), 0, 3) &&
           within(r.clearSelectionAtEnd, 0, 1) &&
           within(static_cast<std::int32_t>(r.copyMethod), 0, 2) &&
           (within(r.columnWidthName, 3, half) || r.columnWidthName == 100) &&
           (within(r.columnWidthType, 3, half) || r.columnWidthType == 30) &&
           (within(r.columnWidthId, 3, half) || r.columnWidthId == 100) &&
           (within(r.columnWidthPw, 3, half) || r.columnWidthPw == 100) &&
           (r.passMode == 0 || r.passMode == kavo::kPassModeMarker) &&
           within(r.pwTimerForButton, 0, 1) && within(r.idTimeMs, 100, 10000) &&
           within(r.pwTimeMs, 100, 10000) && within(r.pwShowMs, 1, 30000) &&
           within(r.pasteArmed, 0, 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || size > kavo::kMaxSettingsFileBytes + 4) {
        return 0;
    }
    // The first four bytes choose the screen, 0 to 65535 pixels each way.
    const std::int32_t width = data[0] | (data[1] << 8);
    const std::int32_t height = data[2] | (data[3] << 8);
    const kavo::SettingsRecord record = readAndRepair({data + 4, size - 4}, width, height);
    if (!inRange(record, width, height)) {
        std::abort();
    }
    const kavo::Bytes file = kavo::encodeTextFile(kavo::settingsFileText(record));
    if (readAndRepair(file, width, height) != record) {
        std::abort();
    }
    return 0;
}
