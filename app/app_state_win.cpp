#include "app/app_state_win.h"

#include "win/message_box_win.h"
#include "win/timer_ids.h"

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
    showOkMessage(window_, text, caption);
}

void MainWindowTableHost::startRevealTimer() {
    SetTimer(window_, kRevealTimerId, static_cast<UINT>(settings_.pwShowMs), nullptr);
}

} // namespace kavo
