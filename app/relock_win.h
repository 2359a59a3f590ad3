// The lock closes by itself when the Windows session locks: the session notices that say so.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// Session notifications for the main window, from creation to destruction; a refused
// registration is tried again on the session watch timer.
void watchSession(App& app);
void onSessionWatchTimer(App& app);
void unwatchSession(App& app);
// WM_WTSSESSION_CHANGE: a locked Windows session locks KAVO too, unless pass mode is on.
void onSessionChange(App& app, WPARAM reason);

} // namespace kavo
