#include "app/copy_triggers_win.h"

#include "app/app_state_win.h"
#include "resources/resource.h"
#include "sequencer/right_click.h"
#include "sequencer/window_message_sink_win.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"

namespace kavo {

namespace {

INT_PTR onCopyWindowCommand(App& app, HWND dialog, int id) {
    WindowMessageSink owner(dialog);
    switch (id) {
    case IDC_COPY_ID:
        app.sequence->startIdPhase(owner, false);
        break;
    case IDC_COPY_PW:
        app.sequence->startPwPhase(owner);
        break;
    default:
        return FALSE;
    }
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR handleCopyWindow(App& app, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        return onCopyWindowCommand(app, dialog, LOWORD(wParam));
    case WM_CLOSE:
        // Closing without a choice also drops the row's highlight.
        app.sequenceEntries->clearRowMarksOfSelection();
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void onIdButton(App& app) {
    WindowMessageSink owner(app.mainWindow);
    app.sequence->startIdPhase(owner, false);
}

void onPwButton(App& app) {
    WindowMessageSink owner(app.mainWindow);
    app.sequence->startPwPhase(owner);
}

void onListRightClick(App& app, int clickedRow) {
    if (app.rows == nullptr) {
        return;
    }
    switch (prepareRightClick(*app.table, app.settings.copyMethod, clickedRow)) {
    case RightClickAction::CopyWindow:
        runModalDialog<App, handleCopyWindow>(app.instance, IDD_COPY_WINDOW, app.mainWindow, app);
        break;
    case RightClickAction::StartIdPhase: {
        WindowMessageSink owner(app.mainWindow);
        app.sequence->startIdPhase(owner, true);
        break;
    }
    case RightClickAction::Nothing:
        break;
    }
}

} // namespace kavo
