// The ways the lock closes beyond its own dialog, and what closing it hides: revealed passwords
// never stay on screen under a closed lock.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// To be called wherever the lock may just have closed (ロック, a failed check, pass mode switched
// off, the session locked): when editing is no longer allowed, the revealed passwords are masked
// at once and the reveal timer stops.
void hideRevealedPasswordsIfLocked(App& app);

// Session notifications for the main window, from creation to destruction; a refused
// registration is tried again on the session watch timer.
void watchSession(App& app);
void onSessionWatchTimer(App& app);
void unwatchSession(App& app);
// WM_WTSSESSION_CHANGE: a locked Windows session locks KAVO too, unless pass mode is on.
void onSessionChange(App& app, WPARAM reason);

} // namespace kavo
