// A popup of KAVO's menu bar, opened from the keyboard as Alt and the popup's letter do.
//
// Menus live inside the process that owns them: under Wine, GetMenuState and its relatives
// fail from any other process, even with the handle the open popup window hands out. So the
// item states are read the way a user reads them, from the popup as it is drawn on the screen:
// an enabled item has text in the menu text colour, a grayed one does not.
#pragma once

#include "tests/e2e/kavo_driver.h"

#include <vector>

namespace kavo::e2e {

// An item of an open popup as drawn: its rows inside the popup window, and whether its text
// shows enabled.
struct MenuItemBand {
    int top;
    int bottom;
    bool enabled;
    bool operator==(const MenuItemBand&) const = default;
};

class MenuPopup {
  public:
    // Opens the popup whose title has this underlined letter; fails the test when none opens.
    MenuPopup(Kavo& kavo, wchar_t letter);
    // A popup that something else opened, such as a right-click on the tray icon.
    explicit MenuPopup(Kavo& kavo);
    ~MenuPopup();
    MenuPopup(const MenuPopup&) = delete;
    MenuPopup& operator=(const MenuPopup&) = delete;

    // For each item from top to bottom, separators left out: whether it is drawn enabled.
    // Waits until the popup shows itemCount items the same way twice in a row.
    std::vector<bool> enabledItems(std::size_t itemCount);
    std::vector<MenuItemBand> items(std::size_t itemCount);
    // Where the popup is on the screen.
    RECT rect() const;
    // Clicks an item with the real mouse; returns once the menu has closed and KAVO has handled
    // whatever the choice posted.
    void clickItem(std::size_t index, std::size_t itemCount);
    // Types an item's underlined letter, which chooses the first item that has it; returns once
    // the menu has closed and KAVO has handled whatever the choice posted.
    void typeItemLetter(wchar_t letter);
    // Escape until the menu is gone.
    void close();

  private:
    Kavo& kavo_;
    HWND popup_ = nullptr;
};

} // namespace kavo::e2e
