#include "settings/monitor_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace kavo {

namespace {

// Far beyond any desk of monitors; a stored number out there is no place on one.
constexpr std::int64_t kFarthestCoordinate = 1 << 24;

std::int64_t overlapLength(std::int32_t low, std::int32_t high, std::int32_t areaLow,
                           std::int32_t areaHigh) {
    return std::max<std::int64_t>(std::int64_t{std::min(high, areaHigh)} - std::max(low, areaLow),
                                  0);
}

std::int64_t gap(std::int32_t low, std::int32_t high, std::int32_t areaLow, std::int32_t areaHigh) {
    return std::max<std::int64_t>({std::int64_t{areaLow} - high, std::int64_t{low} - areaHigh, 0});
}

const MonitorArea& primaryOf(const DisplayLayout& display) {
    const auto primary = std::find_if(display.monitors.begin(), display.monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; });
    return primary != display.monitors.end() ? *primary : display.monitors.front();
}

struct Placed {
    ScreenRect rect;
    const MonitorArea* monitor;
};

// The file's corner at the system DPI; the size at the DPI of the monitor the window lands on.
std::optional<Placed> placed(std::int32_t x, std::int32_t y, const SettingsRecord& size,
                             const DisplayLayout& display) {
    const std::int32_t left = scaledToDpi(x, display.systemDpi);
    const std::int32_t top = scaledToDpi(y, display.systemDpi);
    if (std::max(std::abs(std::int64_t{left}), std::abs(std::int64_t{top})) > kFarthestCoordinate) {
        return std::nullopt;
    }
    const ScreenRect guess{left, top, left + scaledToDpi(size.windowWidth, display.systemDpi),
                           top + scaledToDpi(size.windowHeight, display.systemDpi)};
    const MonitorArea& monitor = display.monitors[monitorOf(guess, display.monitors)];
    return Placed{{left, top, left + scaledToDpi(size.windowWidth, monitor.dpi),
                   top + scaledToDpi(size.windowHeight, monitor.dpi)},
                  &monitor};
}

} // namespace

std::size_t monitorOf(const ScreenRect& rect, std::span<const MonitorArea> monitors) {
    std::size_t best = 0;
    std::int64_t bestOverlap = 0;
    std::int64_t bestDistance = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const ScreenRect& area = monitors[i].bounds;
        const std::int64_t overlap = overlapLength(rect.left, rect.right, area.left, area.right) *
                                     overlapLength(rect.top, rect.bottom, area.top, area.bottom);
        const std::int64_t dx = gap(rect.left, rect.right, area.left, area.right);
        const std::int64_t dy = gap(rect.top, rect.bottom, area.top, area.bottom);
        const std::int64_t distance = dx * dx + dy * dy;
        if (overlap > bestOverlap ||
            (bestOverlap == 0 && overlap == 0 && (bestDistance < 0 || distance < bestDistance))) {
            best = i;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best;
}

SettingsRecord settingsOnScreen(const SettingsRecord& fromFile, const DisplayLayout& display) {
    SettingsRecord record = fromFile;
    if (display.monitors.empty()) {
        repairSettings(record, 0, 0);
        return record;
    }
    const MonitorArea& primary = primaryOf(display);
    repairSettings(record, unscaledFromDpi(primary.bounds.width(), display.systemDpi),
                   unscaledFromDpi(primary.bounds.height(), display.systemDpi));

    std::optional<Placed> window = placed(fromFile.windowX, fromFile.windowY, record, display);
    if (!window || !withinReach(window->rect, window->monitor->workArea)) {
        window = placed(record.windowX, record.windowY, record, display);
        window->rect = broughtIntoReach(window->rect, window->monitor->workArea);
    }
    scaleSizesToDpi(record, window->monitor->dpi);
    // The size as placed: brought into reach, it may have been made smaller.
    record.windowX = window->rect.left;
    record.windowY = window->rect.top;
    record.windowWidth = window->rect.width();
    record.windowHeight = window->rect.height();
    return record;
}

} // namespace kavo
