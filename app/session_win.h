// The end of the Windows session (log-off, shutdown, a restart for an update), and the rule it
// shares with END: while one of KAVO's boxes is open, nothing opens another.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// True while a modal box of KAVO's is open: the box disables its owner, the main window.
bool modalBoxOpen(const App& app);
// Brings the open box to the front, so the user sees what KAVO is waiting for.
void bringOpenBoxForward(const App& app);

// WM_QUERYENDSESSION with its lParam: TRUE lets the session end. Unsaved changes are first kept in
// the recovery pair, then asked about with the exit prompt (not at a critical end), and Windows
// shows why KAVO holds the session meanwhile.
LRESULT onQueryEndSession(App& app, LPARAM reasons);
// WM_ENDSESSION: when the session really ends, KAVO ends as END ends it, without showing any
// more boxes; when it goes on, KAVO stops holding it.
void onEndSession(App& app, bool ending);

} // namespace kavo
