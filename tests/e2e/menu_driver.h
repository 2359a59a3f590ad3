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

class MenuPopup {
  public:
    // Opens the popup whose title has this underlined letter; fails the test when none opens.
    MenuPopup(Kavo& kavo, wchar_t letter);
    ~MenuPopup();
    MenuPopup(const MenuPopup&) = delete;
    MenuPopup& operator=(const MenuPopup&) = delete;

    // For each item from top to bottom, separators left out: whether it is drawn enabled.
    // Waits until the popup shows itemCount items the same way twice in a row.
    std::vector<bool> enabledItems(std::size_t itemCount);
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
