#include "win/dpi_win.h"

#include "win/system_library_win.h"

namespace kavo {

namespace {

// Declared here rather than taken from the SDK, whose declarations depend on the Windows
// version the build targets; the names and types are the system's.
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT);
// MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function* user32Function(const char* name) noexcept {
    return systemFunction<Function>(L"user32.dll", name);
}

int scaled(int value, int dpi, int fromDpi) noexcept {
    return fromDpi > 0 ? MulDiv(value, dpi, fromDpi) : value;
}

} // namespace

int systemDpi() noexcept {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int dpiOfWindow(HWND window) noexcept {
    static auto* const function = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = function != nullptr ? static_cast<int>(function(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

int dpiOfMonitor(HMONITOR monitor) noexcept {
    // Only asked for while the window opens; shcore.dll is not loaded otherwise.
    auto* const function =
        systemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (function != nullptr && SUCCEEDED(function(monitor, kEffectiveDpi, &dpiX, &dpiY)) &&
        dpiX > 0) {
        return static_cast<int>(dpiX);
    }
    return systemDpi();
}

int systemMetricForDpi(int index, int dpi) noexcept {
    static auto* const function =
        user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (function != nullptr) {
        return function(index, static_cast<UINT>(dpi));
    }
    return scaled(GetSystemMetrics(index), dpi, systemDpi());
}

OwnedGdiObject createUiFontForDpi(int dpi) noexcept {
    static auto* const function =
        user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    LOGFONTW font{};
    if (function != nullptr &&
        function(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0, static_cast<UINT>(dpi))) {
        return OwnedGdiObject(CreateFontIndirectW(&font));
    }
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0)) {
        return OwnedGdiObject(nullptr);
    }
    font.lfHeight = scaled(font.lfHeight, dpi, systemDpi());
    return OwnedGdiObject(CreateFontIndirectW(&font));
}

} // namespace kavo
