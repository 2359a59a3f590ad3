// The command table of the main window: menu items, toolbar buttons and tray-menu items all
// arrive as WM_COMMAND and are routed by id alone. Also the lock-dependent menu enabling.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

void onCommand(App& app, int commandId);
void onInitMenuPopup(App& app, HMENU popup);
// Enables or grays the move items of the window's own menu, then redraws the menu bar.
void updateMoveItems(App& app);
// Invalidates the whole client area with erasing and paints it now: state colour and title.
void repaintMainWindow(App& app);
// Hands a key message to the find box when it is for the box, or turns Ctrl+F, F3 and Shift+F3
// in the main window (the list included) into commands. True when the message has been handled.
bool takeShortcutMessage(App& app, HACCEL shortcuts, MSG& message);
// What closing the window does: ask about unsaved changes, then destroy the window.
void endProgram(App& app);

} // namespace kavo
