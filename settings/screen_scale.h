// Lengths between the 96-DPI pixels of the settings file and of the window's layout constants
// and the screen pixels of a monitor at its own scale.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>

namespace kavo {

// The scale at which a pixel of the settings file is a pixel on the screen (100%).
constexpr int kBaseDpi = 96;

// A length of 96-DPI pixels at this DPI, rounded to the nearest pixel (halves away from 0).
std::int32_t scaledToDpi(std::int32_t basePixels, int dpi);
// The 96-DPI length of this many pixels at this DPI, rounded the same way.
std::int32_t unscaledFromDpi(std::int32_t pixels, int dpi);

// The length at toDpi of one shown at fromDpi, by way of its 96-DPI length `base`: kept while
// the shown length is still `base` at fromDpi, taken anew from the shown one once the user has
// changed it. A column taken across monitors and back so comes back to its width, without a
// pixel of rounding gained at each move.
std::int32_t followScale(std::int32_t shown, std::int32_t& base, int fromDpi, int toDpi);

// The window's size and the column widths, in 96-DPI pixels, at this DPI.
void scaleSizesToDpi(SettingsRecord& record, int dpi);

// What the settings file holds for the record of the run: the window's place at the system DPI
// (one scale for every position, so positions on different monitors keep their order), its size
// and the columns at the DPI of the window's monitor. An older KAVO, which Windows scaled, wrote
// the same numbers.
SettingsRecord settingsForFile(const SettingsRecord& onScreen, int systemDpi, int windowDpi);

// The settings dialog's reset in screen pixels: the reset size and columns at the window's
// DPI; the reset place (the corner) is the same at any scale.
void resetSettingsOnScreen(SettingsRecord& record, int windowDpi);

} // namespace kavo
