// Which menu items the lock leaves enabled: the popups as they open, and the move items that sit
// on the menu bar itself.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

void onInitMenuPopup(App& app, HMENU popup);
// Enables or grays the move items of the window's own menu, then redraws the menu bar.
void updateMoveItems(App& app);

} // namespace kavo
