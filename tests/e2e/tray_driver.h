// KAVO's icon in the notification area, seen and clicked as a user does. Without a desktop,
// Wine shows the notification area as a small top-level window titled "Wine System Tray" with a
// child window for each icon.
#pragma once

#include "tests/e2e/input_driver.h"

#include <windows.h>

#include <vector>

namespace kavo::e2e {

// One of KAVO's three state icons, or something else.
enum class TrayPicture { Idle, IdPhase, PwPhase, Other };

class TrayIconWatch {
  public:
    // Notes the icons in the tray now: the one that appears later is KAVO's.
    TrayIconWatch();

    // Waits for the new icon, then moves the tray to a free part of the screen.
    bool appears();
    bool disappears();
    bool present() const;
    // Waits until the icon shows the picture; fails the test after a timeout.
    bool shows(TrayPicture expected);
    // Real mouse clicks on the icon's middle; single clicks come too far apart to pair up.
    void click(MouseButton button);
    void doubleClick();
    POINT middle() const;
    // Moves the tray down, clear of the menu it has opened: Wine may raise the clicked tray
    // over the lower items.
    void moveBelow(const RECT& menu);

  private:
    TrayPicture picture() const;

    std::vector<HWND> before_;
    HWND icon_ = nullptr;
    DWORD lastClick_ = GetTickCount();
};

} // namespace kavo::e2e
