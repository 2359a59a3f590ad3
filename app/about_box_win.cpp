#include "app/about_box_win.h"

#include "app/app_state_win.h"
#include "app/help_targets.h"
#include "app/help_win.h"
#include "resources/resource.h"
#include "win/dialog_procedure_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

void fillAboutBox(HWND box) {
    SetDlgItemTextW(box, IDC_ABOUT_CREATOR_LINE, wide(aboutCreatorLine()));
    SetDlgItemTextW(box, IDC_ABOUT_HOME_PAGE_LINE, wide(aboutHomePageLine()));
}

// A modeless box is destroyed, not ended: EndDialog would only hide it, and every opening would
// leave one more hidden window behind.
void closeAboutBox(HWND box) {
    DestroyWindow(box);
}

INT_PTR onAboutCommand(HWND box, int id) {
    switch (id) {
    case IDC_ABOUT_OK:
        closeAboutBox(box);
        return TRUE;
    case IDC_ABOUT_NEW_VERSION:
        openDownloadPage(box);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR handleAboutBox(App&, HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        fillAboutBox(box);
        return TRUE;
    case WM_COMMAND:
        return onAboutCommand(box, LOWORD(wParam));
    case WM_CLOSE:
        closeAboutBox(box);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void openAboutBox(App& app) {
    // Modeless: the main window stays usable, and a second opening shows a second box.
    HWND box =
        CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_ABOUT), app.mainWindow,
                           dialogProcedure<App, handleAboutBox>, reinterpret_cast<LPARAM>(&app));
    if (box != nullptr) {
        ShowWindow(box, SW_SHOWNORMAL);
    }
}

} // namespace kavo
