#include "app/app_state_win.h"

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

} // namespace kavo
