#include "settings/settings_record.h"

#include "store/decimal_text.h"

namespace kavo {

namespace {

using Field = std::int32_t SettingsRecord::*;

// File order of the fields.
constexpr std::array<Field, kSettingsCount> kFields = {
    &SettingsRecord::windowX,
    &SettingsRecord::windowY,
    &SettingsRecord::windowWidth,
    &SettingsRecord::windowHeight,
    &SettingsRecord::placement,
    &SettingsRecord::stacking,
    &SettingsRecord::clearSelectionAtEnd,
    &SettingsRecord::copyMethod,
    &SettingsRecord::columnWidthName,
    &SettingsRecord::columnWidthType,
    &SettingsRecord::columnWidthId,
    &SettingsRecord::columnWidthPw,
    &SettingsRecord::passMode,
    &SettingsRecord::pwTimerForButton,
    &SettingsRecord::idTimeMs,
    &SettingsRecord::pwTimeMs,
    &SettingsRecord::pwShowMs,
    &SettingsRecord::pasteArmed,
};

void keepWithin(std::int32_t& value, std::int32_t low, std::int32_t high, std::int32_t fallback) {
    if (value < low || value > high) {
        value = fallback;
    }
}

} // namespace

void setSettingsValue(SettingsRecord& record, int k, std::int32_t value) {
    if (k >= 0 && k < kSettingsCount) {
        record.*kFields[static_cast<std::size_t>(k)] = value;
    }
}

std::int32_t settingsValue(const SettingsRecord& record, int k) {
    if (k >= 0 && k < kSettingsCount) {
        return record.*kFields[static_cast<std::size_t>(k)];
    }
    return 0;
}

void repairSettings(SettingsRecord& r, std::int32_t screenWidth, std::int32_t screenHeight) {
    keepWithin(r.windowX, 0, screenWidth, 0);
    keepWithin(r.windowY, 0, screenHeight, 0);
    keepWithin(r.windowWidth, 100, screenWidth, 300);
    keepWithin(r.windowHeight, 30, screenHeight, 350);
    keepWithin(r.placement, 0, 5, 0);
    keepWithin(r.stacking, 0, 3, 0);
    keepWithin(r.clearSelectionAtEnd, 0, 1, 0);
    keepWithin(r.copyMethod, 0, 2, 0);
    const std::int32_t half = screenWidth / 2;
    keepWithin(r.columnWidthName, 3, half, 100);
    keepWithin(r.columnWidthType, 3, half, 30);
    keepWithin(r.columnWidthId, 3, half, 100);
    keepWithin(r.columnWidthPw, 3, half, 100);
    if (r.passMode != kPassModeMarker) {
        r.passMode = 0;
    }
    keepWithin(r.pwTimerForButton, 0, 1, 0);
    keepWithin(r.idTimeMs, 100, 10000, 4000);
    keepWithin(r.pwTimeMs, 100, 10000, 4000);
    keepWithin(r.pwShowMs, 1, 30000, 5000);
    keepWithin(r.pasteArmed, 0, 2, 0);
}

void resetSettings(SettingsRecord& r) {
    r.windowX = 0;
    r.windowY = 0;
    r.windowWidth = 300;
    r.windowHeight = 350;
    r.placement = 0;
    r.stacking = 1;
    r.clearSelectionAtEnd = 0;
    r.copyMethod = 0;
    r.columnWidthName = 100;
    r.columnWidthType = 30;
    r.columnWidthId = 100;
    r.columnWidthPw = 100;
    r.passMode = 0;
    r.pwTimerForButton = 0;
}

void applySettingsLines(SettingsRecord& record, std::span<const std::u16string> lines) {
    for (std::size_t k = 0; k < lines.size() && k < kSettingsCount; ++k) {
        setSettingsValue(record, static_cast<int>(k), parseLeadingInt(lines[k]));
    }
}

std::u16string settingsFileText(const SettingsRecord& record) {
    std::u16string text;
    for (int k = 0; k < kSettingsCount; ++k) {
        text += formatInt(settingsValue(record, k));
        text += u"\r\n";
    }
    return text;
}

} // namespace kavo
