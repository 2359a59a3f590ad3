#include "app/window_dpi_win.h"

#include "app/toolbar_win.h"
#include "settings/screen_scale.h"
#include "win/dpi_win.h"

namespace kavo {

namespace {

// The list view sits below the toolbar strip, 24 pixels at 96 DPI.
constexpr int kListTopAtBase = 24;

void useListFontFor(App& app, int dpi) {
    OwnedGdiObject font = createUiFontForDpi(dpi);
    if (font.get() == nullptr) {
        return;
    }
    app.rows->useFont(static_cast<HFONT>(font.get()));
    // The list has the new font before the old one goes.
    app.listFont = std::move(font);
}

} // namespace

void takeWindowDpi(App& app) {
    app.windowDpi = dpiOfWindow(app.mainWindow);
    if (app.windowDpi != systemDpi()) {
        useListFontFor(app, app.windowDpi);
    }
}

LRESULT onDpiChanged(App& app, WPARAM wParam, LPARAM lParam) {
    const int oldDpi = app.windowDpi;
    const int newDpi = LOWORD(wParam);
    if (newDpi <= 0) {
        return 0;
    }
    app.windowDpi = newDpi;
    if (app.toolbar != nullptr) {
        scaleToolbar(app.toolbar, app.instance, newDpi);
    }
    if (app.rows != nullptr) {
        useListFontFor(app, newDpi);
        for (int column = 0; column < kCellCount; ++column) {
            auto& base = app.columnBase[static_cast<std::size_t>(column)];
            app.rows->setColumnWidth(
                column, followScale(app.rows->columnWidth(column), base, oldDpi, newDpi));
        }
    }
    // Windows' rectangle keeps the window under the mouse while it is dragged across; its
    // WM_SIZE places the list again below the new toolbar.
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        SetWindowPos(app.mainWindow, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(app.mainWindow, nullptr, TRUE);
    return 0;
}

int listTop(const App& app) {
    return scaledToDpi(kListTopAtBase, app.windowDpi);
}

} // namespace kavo
