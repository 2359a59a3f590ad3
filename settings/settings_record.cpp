#include "settings/settings_record.h"

#include "store/decimal_text.h"

namespace kavo {

namespace {

// File order of the fields.
constexpr std::array<SettingsField, kSettingsCount> kFields = {
    settingsField<&SettingsRecord::windowX>(),
    settingsField<&SettingsRecord::windowY>(),
    settingsField<&SettingsRecord::windowWidth>(),
    settingsField<&SettingsRecord::windowHeight>(),
    settingsField<&SettingsRecord::placement>(),
    settingsField<&SettingsRecord::stacking>(),
    settingsField<&SettingsRecord::clearSelectionAtEnd>(),
    settingsField<&SettingsRecord::copyMethod>(),
    settingsField<&SettingsRecord::columnWidthName>(),
    settingsField<&SettingsRecord::columnWidthType>(),
    settingsField<&SettingsRecord::columnWidthId>(),
    settingsField<&SettingsRecord::columnWidthPw>(),
    settingsField<&SettingsRecord::passMode>(),
    settingsField<&SettingsRecord::pwTimerForButton>(),
    settingsField<&SettingsRecord::idTimeMs>(),
    settingsField<&SettingsRecord::pwTimeMs>(),
    settingsField<&SettingsRecord::pwShowMs>(),
    settingsField<&SettingsRecord::pasteArmed>(),
};

void keepWithin(std::int32_t& value, std::int32_t low, std::int32_t high, std::int32_t fallback) {
    if (value < low || value > high) {
        value = fallback;
    }
}

// An enumerated setting: a number outside its first to last value becomes the fallback.
template <typename Enum>
void keepWithin(Enum& value, Enum first, Enum last, Enum fallback) {
    auto number = static_cast<std::int32_t>(value);
    keepWithin(number, static_cast<std::int32_t>(first), static_cast<std::int32_t>(last),
               static_cast<std::int32_t>(fallback));
    value = static_cast<Enum>(number);
}

} // namespace

void setSettingsValue(SettingsRecord& record, int k, std::int32_t value) {
    if (k >= 0 && k < kSettingsCount) {
        kFields[static_cast<std::size_t>(k)].set(record, value);
    }
}

std::int32_t settingsValue(const SettingsRecord& record, int k) {
    if (k >= 0 && k < kSettingsCount) {
        return kFields[static_cast<std::size_t>(k)].get(record);
    }
    return 0;
}

void repairSettings(SettingsRecord& r, std::int32_t screenWidth, std::int32_t screenHeight) {
    keepWithin(r.windowX, 0, screenWidth, 0);
    keepWithin(r.windowY, 0, screenHeight, 0);
    keepWithin(r.windowWidth, 100, screenWidth, 300);
    keepWithin(r.windowHeight, 30, screenHeight, 350);
    keepWithin(r.placement, Placement::Keep, Placement::Centre, Placement::Keep);
    keepWithin(r.stacking, Stacking::TopAtIdBottomAtEnd, Stacking::AlwaysOnTop,
               Stacking::TopAtIdBottomAtEnd);
    keepWithin(r.clearSelectionAtEnd, 0, 1, 0);
    keepWithin(r.copyMethod, CopyMethod::ToolbarOnly, CopyMethod::ListClick,
               CopyMethod::ToolbarOnly);
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
    r.placement = Placement::Keep;
    r.stacking = Stacking::TopAtIdBottomAtPw;
    r.clearSelectionAtEnd = 0;
    r.copyMethod = CopyMethod::ToolbarOnly;
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
