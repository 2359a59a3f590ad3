#include "settings/screen_scale.h"

#include <algorithm>
#include <limits>

namespace kavo {

namespace {

// value * numerator / denominator, rounded half away from zero, in 64 bits and kept inside 32.
std::int32_t mulDiv(std::int32_t value, int numerator, int denominator) {
    if (denominator <= 0 || numerator <= 0) {
        return value;
    }
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(rounded, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// The lengths that are drawn at the scale of the window's monitor: its size and the columns.
template <typename Convert>
void forEachSize(SettingsRecord& r, Convert convert) {
    for (std::int32_t* size : {&r.windowWidth, &r.windowHeight, &r.columnWidthName,
                               &r.columnWidthType, &r.columnWidthId, &r.columnWidthPw}) {
        *size = convert(*size);
    }
}

} // namespace

std::int32_t scaledToDpi(std::int32_t basePixels, int dpi) {
    return mulDiv(basePixels, dpi, kBaseDpi);
}

std::int32_t unscaledFromDpi(std::int32_t pixels, int dpi) {
    return mulDiv(pixels, kBaseDpi, dpi);
}

std::int32_t followScale(std::int32_t shown, std::int32_t& base, int fromDpi, int toDpi) {
    if (scaledToDpi(base, fromDpi) != shown) {
        base = unscaledFromDpi(shown, fromDpi);
    }
    return scaledToDpi(base, toDpi);
}

void scaleSizesToDpi(SettingsRecord& record, int dpi) {
    forEachSize(record, [dpi](std::int32_t base) { return scaledToDpi(base, dpi); });
}

SettingsRecord settingsForFile(const SettingsRecord& onScreen, int systemDpi, int windowDpi) {
    SettingsRecord file = onScreen;
    file.windowX = unscaledFromDpi(onScreen.windowX, systemDpi);
    file.windowY = unscaledFromDpi(onScreen.windowY, systemDpi);
    forEachSize(file,
                [windowDpi](std::int32_t pixels) { return unscaledFromDpi(pixels, windowDpi); });
    return file;
}

void resetSettingsOnScreen(SettingsRecord& record, int windowDpi) {
    resetSettings(record);
    scaleSizesToDpi(record, windowDpi);
}

} // namespace kavo
