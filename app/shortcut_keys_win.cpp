#include "app/shortcut_keys_win.h"

#include "app/app_state_win.h"

namespace kavo {

bool takeShortcutMessage(App& app, HACCEL shortcuts, MSG& message) {
    if (app.findBox != nullptr && app.findBox->takeMessage(shortcuts, message)) {
        return true;
    }
    // Only the main window's own keys: a Ctrl+F in an About box is that box's.
    const HWND main = app.mainWindow;
    if (main == nullptr || (message.hwnd != main && !IsChild(main, message.hwnd))) {
        return false;
    }
    return TranslateAcceleratorW(main, shortcuts, &message) != 0;
}

} // namespace kavo
