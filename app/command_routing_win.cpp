#include "app/command_routing_win.h"

#include "app/about_box_win.h"
#include "app/app_state_win.h"
#include "app/copy_triggers_win.h"
#include "app/csv_transfer_win.h"
#include "app/help_win.h"
#include "app/lock_change_win.h"
#include "app/menu_rules.h"
#include "app/merge_win.h"
#include "app/open_box_win.h"
#include "app/program_end_win.h"
#include "app/store_files_win.h"
#include "app/tray_icon_win.h"
#include "dialogs/bulk_type_dialog_win.h"
#include "dialogs/entry_dialog_win.h"
#include "dialogs/protection_dialog_win.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_dialog_win.h"
#include "lock/change_password_dialog_win.h"
#include "lock/unlock_dialog_win.h"
#include "resources/resource.h"
#include "settings/placement_win.h"
#include "store/data_files_win.h"
#include "win/wide_text_win.h"

#include <functional>

namespace kavo {

namespace {

// What the dialogs ask of the lock, without the whole program.
std::function<bool()> editingAllowedOf(App& app) {
    return [&app] { return app.editingAllowed(); };
}

// A dialog that may close the lock while it is open shows it under the dialog at once.
std::function<void()> lockChangedOf(App& app) {
    return [&app] { onLockChanged(app); };
}

void openEntryDialog(App& app, EntryDialogMode mode) {
    openEntryDialog(app.mainWindow, app.instance, mode, *app.table, app.scratchEntry,
                    editingAllowedOf(app));
}

// The settings dialog, then what its ＯＫ asks of the main window once it has gone, and the
// placement preset however it was closed.
void openSettingsDialog(App& app) {
    if (runSettingsDialog(app.mainWindow, app.instance, app.settings, *app.sequenceHost,
                          lockChangedOf(app))) {
        applyStackingAfterOk(app.settings, *app.sequenceHost);
    }
    applyPlacement(app.mainWindow, app.settings, app.screenWidth, app.screenHeight);
}

// The protection the next save writes; the table then has a change to save. Taken only while
// editing is still allowed when the dialog closes.
void openProtectionDialog(App& app) {
    const MasterPassword& master = app.store.masterPassword;
    const auto picked = runProtectionDialog(app.mainWindow, app.instance, app.store.protection,
                                            !master.text.empty() && !master.unknown);
    if (picked && app.editingAllowed()) {
        app.store.protection.chosen = *picked;
        app.store.dirty = true;
    }
}

bool endsProgram(int commandId) {
    return commandId == IDC_CMD_END || commandId == IDC_CMD_TRAY_END || commandId == IDC_TB_END;
}

} // namespace

void onCommand(App& app, int commandId) {
    // What arrives while a box of KAVO's is open comes through that box's message loop: an
    // unlock, a lock or a second dialog would act behind the open one. It waits for nothing and
    // does nothing; an END only shows the box, whose answer is the one that counts.
    if (boxOpen(app)) {
        if (endsProgram(commandId)) {
            bringOpenBoxForward(app);
        }
        return;
    }
    // A grayed item is not the only way in: a posted WM_COMMAND must not get past the lock
    // either.
    if (isEditingCommand(commandId) && !app.editingAllowed()) {
        return;
    }
    switch (commandId) {
    case IDC_CMD_SAVE:
        saveStore(app, app.mainWindow);
        break;
    case IDC_CMD_END:
    case IDC_CMD_TRAY_END:
    case IDC_TB_END:
        endProgram(app);
        break;
    case IDC_CMD_UNLOCK:
        runUnlockDialog(app.mainWindow, app.instance, app.store.masterPassword,
                        fromWide(dataFilePath(app.dataStore.folder(), kPasswordFileName)),
                        app.unlocked, lockChangedOf(app));
        // An unlock is a change of the lock too.
        onLockChanged(app);
        break;
    case IDC_CMD_CHANGE_PASSWORD:
        runChangePasswordDialog(app.mainWindow, app.instance, app.store, app.settings.passMode,
                                LockHooks{editingAllowedOf(app), lockChangedOf(app)});
        onLockChanged(app);
        break;
    case IDC_CMD_ADD:
        openEntryDialog(app, EntryDialogMode::AddEntry);
        break;
    case IDC_CMD_INSERT:
        openEntryDialog(app, EntryDialogMode::InsertEntry);
        break;
    case IDC_CMD_EDIT:
        openEntryDialog(app, EntryDialogMode::EditEntry);
        break;
    case IDC_CMD_IMPORT:
        importCsv(app);
        break;
    case IDC_CMD_EXPORT:
        exportCsv(app);
        break;
    case IDC_CMD_MERGE:
        mergeOtherData(app);
        break;
    case IDC_CMD_PROTECTION:
        openProtectionDialog(app);
        break;
    case IDC_CMD_BULK_TYPE:
        openBulkTypeDialog(app.mainWindow, app.instance, *app.table, editingAllowedOf(app));
        break;
    case IDC_CMD_DELETE:
        app.table->deleteSelectedRows();
        break;
    case IDC_CMD_REVEAL:
        app.table->toggleReveal();
        break;
    case IDC_CMD_MOVE_DOWN:
        app.table->moveSelectedRows(MoveDirection::Down);
        break;
    case IDC_CMD_MOVE_UP:
        app.table->moveSelectedRows(MoveDirection::Up);
        break;
    case IDC_CMD_FIND:
        app.findBox->open(app.instance, app.mainWindow);
        break;
    case IDC_CMD_FIND_NEXT:
        app.findBox->findAgain(app.instance, app.mainWindow, FindDirection::Next);
        break;
    case IDC_CMD_FIND_PREVIOUS:
        app.findBox->findAgain(app.instance, app.mainWindow, FindDirection::Previous);
        break;
    case IDC_CMD_SETTINGS:
    case IDC_TB_SETTINGS:
        openSettingsDialog(app);
        // "初" may have switched pass mode off.
        onLockChanged(app);
        break;
    case IDC_TB_ID:
        onIdButton(app);
        break;
    case IDC_TB_PW:
        onPwButton(app);
        break;
    case IDC_CMD_TO_TRAY:
    case IDC_TB_TRAY:
        sendToTray(app);
        break;
    case IDC_CMD_FROM_TRAY:
        restoreFromTray(app);
        break;
    case IDC_CMD_HELP:
        openManual(app.mainWindow, app.dataStore.folder());
        break;
    case IDC_CMD_VERSION:
        openAboutBox(app);
        break;
    case IDC_CMD_HOME_PAGE:
        openHomePage(app.mainWindow);
        break;
    default:
        // The blank toolbar buttons and unknown ids do nothing.
        break;
    }
}

} // namespace kavo
