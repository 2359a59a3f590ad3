// The end of the Windows session (log-off, shutdown, a restart for an update). It keeps the rule
// END keeps: while one of KAVO's boxes is open, nothing opens another.
#pragma once

#include <windows.h>

namespace kavo {

struct App;

// WM_QUERYENDSESSION with its lParam: TRUE lets the session end. Unsaved changes are first kept in
// the recovery pair, then asked about with the exit prompt (not at a critical end), and Windows
// shows why KAVO holds the session meanwhile.
LRESULT onQueryEndSession(App& app, LPARAM reasons);
// WM_ENDSESSION: when the session really ends, KAVO ends as END ends it, without showing any
// more boxes; when it goes on, KAVO stops holding it.
void onEndSession(App& app, bool ending);

} // namespace kavo
