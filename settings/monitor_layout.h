// The monitors the main window may open on, and where on them it opens: the settings file's
// numbers repaired and turned into screen pixels of the monitor the window lands on.
#pragma once

#include "settings/screen_scale.h"
#include "settings/settings_record.h"
#include "settings/window_reach.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kavo {

struct MonitorArea {
    ScreenRect bounds;
    ScreenRect workArea;
    int dpi = kBaseDpi;
    bool primary = false;
};

struct DisplayLayout {
    std::vector<MonitorArea> monitors;
    // The DPI Windows gave the session at log-on (the primary monitor's then).
    int systemDpi = kBaseDpi;
};

// The monitor a rectangle belongs to: the one it overlaps most, else (it lies on none) the one
// nearest to it, as Windows chooses. 0 for an empty list.
std::size_t monitorOf(const ScreenRect& rect, std::span<const MonitorArea> monitors);

// The record for the run from the file's numbers: every field repaired (the window's size and
// the columns against the primary monitor); a window rectangle that lies on some monitor,
// negative coordinates included, kept there; one that no monitor shows repaired as before and
// brought within reach. The rectangle and the columns come back in screen pixels at the DPI of
// the window's monitor.
SettingsRecord settingsOnScreen(const SettingsRecord& fromFile, const DisplayLayout& display);

} // namespace kavo
