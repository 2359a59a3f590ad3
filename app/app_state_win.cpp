#include "app/app_state_win.h"

#include "app/timer_ids.h"
#include "app/wide_text_win.h"

namespace kavo {

namespace {
App* g_app = nullptr;
} // namespace

App& theApp() {
    return *g_app;
}

void setTheApp(App* app) {
    g_app = app;
}

void MainWindowTableHost::showMessage(std::u16string_view text, std::u16string_view caption) {
    MessageBoxW(window_, toWide(text).c_str(), toWide(caption).c_str(), MB_OK);
}

void MainWindowTableHost::startRevealTimer() {
    SetTimer(window_, kRevealTimerId, static_cast<UINT>(settings_.pwShowMs), nullptr);
}

} // namespace kavo
