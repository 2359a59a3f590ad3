#include "app/repaint_win.h"

#include "app/app_state_win.h"
#include "win/wide_text_win.h"

#include <iterator>
#include <string>

namespace kavo {

void repaintMainWindow(App& app) {
    // The caption names the state as the colours show it; both follow every change here.
    const std::wstring title = toWide(app.presentation().title);
    wchar_t shown[64] = {};
    GetWindowTextW(app.mainWindow, shown, static_cast<int>(std::size(shown)));
    if (title != shown) {
        SetWindowTextW(app.mainWindow, title.c_str());
    }
    InvalidateRect(app.mainWindow, nullptr, TRUE);
    UpdateWindow(app.mainWindow);
}

} // namespace kavo
