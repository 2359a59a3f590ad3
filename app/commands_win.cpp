#include "app/commands_win.h"

#include "app/about_box_win.h"
#include "app/app_state_win.h"
#include "app/copy_triggers_win.h"
#include "app/csv_transfer_win.h"
#include "app/help_win.h"
#include "app/menu_rules.h"
#include "app/relock_win.h"
#include "app/session_win.h"
#include "app/store_files_win.h"
#include "app/tray_icon_win.h"
#include "dialogs/bulk_type_dialog_win.h"
#include "dialogs/entry_dialog_win.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_dialog_win.h"
#include "lock/change_password_dialog_win.h"
#include "lock/unlock_dialog_win.h"
#include "resources/resource.h"
#include "settings/placement_win.h"
#include "store/data_files_win.h"
#include "win/dialog_procedure_win.h"
#include "win/wide_text_win.h"

#include <functional>
#include <iterator>
#include <string>

namespace kavo {

namespace {

// What the dialogs ask of the lock, without the whole program.
std::function<bool()> editingAllowedOf(App& app) {
    return [&app] { return app.editingAllowed(); };
}

std::function<void()> hideRevealedOf(App& app) {
    return [&app] { hideRevealedPasswordsIfLocked(app); };
}

void openEntryDialog(App& app, EntryDialogMode mode) {
    openEntryDialog(app.mainWindow, app.instance, mode, *app.table, app.scratchEntry,
                    editingAllowedOf(app));
}

// The settings dialog, then what its ＯＫ asks of the main window once it has gone, and the
// placement preset however it was closed.
void openSettingsDialog(App& app) {
    if (runSettingsDialog(app.mainWindow, app.instance, app.settings, *app.sequenceHost,
                          hideRevealedOf(app))) {
        applyStackingAfterOk(app.settings, *app.sequenceHost);
    }
    applyPlacement(app.mainWindow, app.settings, app.screenWidth, app.screenHeight);
}

void applyMenuStates(HMENU menu, const std::vector<MenuItemState>& states) {
    for (const MenuItemState& item : states) {
        EnableMenuItem(menu, static_cast<UINT>(item.id),
                       static_cast<UINT>(MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED)));
    }
}

} // namespace

void onCommand(App& app, int commandId) {
    // What arrives while a modal dialog is open comes through that dialog's message loop: an
    // unlock, a lock or a second dialog would act behind the open one. It waits for nothing and
    // does nothing; the user acts again once the dialog is closed.
    if (openModalDialogs() > 0) {
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
        // Title, background and move items follow the lock state the dialog left.
        runUnlockDialog(app.mainWindow, app.instance, app.store.masterPassword,
                        fromWide(dataFilePath(app.dataStore.folder(), kPasswordFileName)),
                        app.unlocked, hideRevealedOf(app));
        updateMoveItems(app);
        repaintMainWindow(app);
        break;
    case IDC_CMD_CHANGE_PASSWORD:
        runChangePasswordDialog(app.mainWindow, app.instance, app.store, app.settings.passMode,
                                LockHooks{editingAllowedOf(app), hideRevealedOf(app)});
        updateMoveItems(app);
        repaintMainWindow(app);
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
        // "初" may have switched pass mode off: the title and colour say so at once.
        repaintMainWindow(app);
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

void onInitMenuPopup(App& app, HMENU popup) {
    applyMenuStates(popup, popupItemStates(app.unlocked, app.settings.passMode));
}

void updateMoveItems(App& app) {
    applyMenuStates(GetMenu(app.mainWindow), moveItemStates(app.unlocked, app.settings.passMode));
    DrawMenuBar(app.mainWindow);
}

void repaintMainWindow(App& app) {
    // The caption names the state as the colours show it; both follow every change here.
    const std::wstring title = toWide(app.presentation().title);
    wchar_t shown[64] = {};
    GetWindowTextW(app.mainWindow, shown, static_cast<int>(std::size(shown)));
    if (title != shown) {
        SetWindowTextW(app.mainWindow, title.c_str());
    }
    InvalidateRect(app.mainWindow, nullptr, TRUE);
    UpdateWindow(app.mainWindow);
}

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

void endProgram(App& app) {
    // One prompt at a time: while a box of ours is open, its answer is the one that counts.
    if (modalBoxOpen(app)) {
        bringOpenBoxForward(app);
        return;
    }
    if (confirmExit(app, app.mainWindow)) {
        DestroyWindow(app.mainWindow);
    }
}

} // namespace kavo
