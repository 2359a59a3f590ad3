// The command table of the main window: menu items, toolbar buttons and tray-menu items all
// arrive as WM_COMMAND and are routed by id alone.
#pragma once

namespace kavo {

struct App;

void onCommand(App& app, int commandId);

} // namespace kavo
