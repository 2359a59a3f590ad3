// The notification-area (tray) icon: the main window hides there and comes back, the icon shows
// the state of the clipboard sequence meanwhile, and a right-button press opens the tray menu.
#pragma once

#include <windows.h>

#include <shellapi.h>

namespace kavo {

struct App;

// The one tray icon record of the run, reused for every update of the icon.
class TrayIcon {
  public:
    // Fills the record anew for the window with this icon and adds it to the tray.
    void add(HWND window, HICON icon);
    // Takes the icon into the record; the tray shows it when the icon is there.
    void setIcon(HICON icon);
    void remove();
    // The shell has restarted and lost its icons: adds ours again, unchanged.
    void addAgain();
    bool inTray() const { return inTray_; }

  private:
    NOTIFYICONDATAW data_{};
    bool inTray_ = false;
};

// "TaskTray" and the toolbar's タスク button: hide the window, leave the icon in the tray.
void sendToTray(App& app);
// "タスクトレーから出す" and a double-click on the icon.
void restoreFromTray(App& app);
// Shows the sequence state's icon in the tray while the window is hidden there.
void refreshTrayIcon(App& app);
// The tray icon's callback message: wParam the icon id, lParam the mouse message.
void onTrayCallback(App& app, WPARAM iconId, LPARAM mouseMessage);
// The message the shell broadcasts when it has (re)started.
UINT taskbarCreatedMessage();
void onTaskbarCreated(App& app);
// The program ends: no dead icon may stay in the tray.
void removeTrayIconAtExit(App& app);

} // namespace kavo
