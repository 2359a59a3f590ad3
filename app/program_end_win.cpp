#include "app/program_end_win.h"

#include "app/app_state_win.h"
#include "app/open_box_win.h"
#include "app/store_files_win.h"

namespace kavo {

void endProgram(App& app) {
    // One prompt at a time: while a box of ours is open, its answer is the one that counts.
    if (boxOpen(app)) {
        bringOpenBoxForward(app);
        return;
    }
    if (confirmExit(app, app.mainWindow)) {
        DestroyWindow(app.mainWindow);
    }
}

} // namespace kavo
