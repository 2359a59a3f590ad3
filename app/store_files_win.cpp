#include "app/store_files_win.h"
#include "win/message_box_win.h"

#include "app/app_state_win.h"
#include "lock/master_prompt_dialog_win.h"
#include "resources/texts.h"
#include "win/wide_text_win.h"

namespace kavo {

bool loadStore(App& app, HWND owner) {
    const MasterPasswordAsk ask = [&app, owner](const auto& tryPassword) {
        return runMasterPasswordPrompt(owner, app.instance, tryPassword);
    };
    return app.dataStore.load(*app.table, app.store, owner, ask) == LoadOutcome::Loaded;
}

bool saveStore(App& app, HWND owner) {
    return app.dataStore.save(*app.table, app.store, owner);
}

bool confirmExit(App& app, HWND owner) {
    if (!app.store.dirty) {
        return true;
    }
    switch (showMessageBox(owner, kExitPromptText, kExitPromptCaption, MB_YESNOCANCEL)) {
    case IDYES:
        return saveStore(app, owner);
    case IDNO:
        removeRecoveryPair(app);
        return true;
    default:
        return false;
    }
}

bool writeRecoveryPair(App& app) {
    return app.dataStore.writeRecoveryPair(*app.table, app.store);
}

void removeRecoveryPair(App& app) {
    app.dataStore.removeRecoveryPair();
}

} // namespace kavo
