#include "app/tray_icon_win.h"

#include "win/system_library_win.h"

#include "app/app_state_win.h"
#include "app/open_box_win.h"
#include "app/tray_rules.h"
#include "resources/resource.h"
#include "win/timer_ids.h"

#include <cwchar>

namespace kavo {

namespace {

// shell32 is loaded once the tray is first used: a start without it is quicker.
BOOL notifyTray(DWORD message, NOTIFYICONDATAW& data) {
    auto* notify = systemFunction<decltype(Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return notify != nullptr && notify(message, &data);
}

constexpr wchar_t kTrayTip[] = L"kavo";

void showTrayMenu(App& app) {
    // Its 終了 would open a second prompt beside the box that is open: show that box instead.
    if (boxOpen(app)) {
        bringOpenBoxForward(app);
        return;
    }
    HMENU menu = LoadMenuW(app.instance, MAKEINTRESOURCEW(IDM_TRAY_MENU));
    if (menu == nullptr) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    // Only the foreground window's menu closes when the user clicks elsewhere, even though the
    // window itself is hidden.
    SetForegroundWindow(app.mainWindow);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, cursor.x,
                   cursor.y, 0, app.mainWindow, nullptr);
    // Lets the window see a message of its own after the menu, so that the next tray menu opens
    // and closes properly too.
    PostMessageW(app.mainWindow, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

} // namespace

void TrayIcon::add(HWND window, HICON icon) {
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = IDC_TRAY_ICON;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    wcsncpy(data_.szTip, kTrayTip, sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1);
    notifyTray(NIM_ADD, data_);
    inTray_ = true;
}

void TrayIcon::setIcon(HICON icon) {
    data_.hIcon = icon;
    if (inTray_) {
        notifyTray(NIM_MODIFY, data_);
    }
}

void TrayIcon::remove() {
    notifyTray(NIM_DELETE, data_);
    inTray_ = false;
}

void TrayIcon::addAgain() {
    if (inTray_) {
        notifyTray(NIM_ADD, data_);
    }
}

void sendToTray(App& app) {
    // No row can be clicked in a hidden window, so nothing is left to find in.
    app.findBox->close();
    app.tray.add(app.mainWindow, stateIconHandle(app.stateIcons, StateIcon::Idle));
    ShowWindow(app.mainWindow, SW_HIDE);
    // A sequence that runs on shows its phase in the tray at once.
    refreshTrayIcon(app);
}

void restoreFromTray(App& app) {
    app.tray.remove();
    ShowWindow(app.mainWindow, SW_SHOWNORMAL);
}

void refreshTrayIcon(App& app) {
    app.tray.setIcon(stateIconHandle(app.stateIcons, trayIconFor(app.sequenceState())));
}

void onTrayCallback(App& app, WPARAM iconId, LPARAM mouseMessage) {
    switch (trayClickAction(iconId, mouseMessage)) {
    case TrayClickAction::Restore:
        restoreFromTray(app);
        break;
    case TrayClickAction::ShowMenu:
        showTrayMenu(app);
        break;
    case TrayClickAction::Nothing:
        break;
    }
}

UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void onTaskbarCreated(App& app) {
    app.tray.addAgain();
}

void removeTrayIconAtExit(App& app) {
    if (app.tray.inTray()) {
        app.tray.remove();
    }
}

} // namespace kavo
