// One of KAVO's dialogs driven from outside as a user drives it: click into a field and type,
// press keys and buttons, read back what the fields and radios show.
#pragma once

#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <string>

namespace kavo::e2e {

class DialogDriver {
  public:
    // Waits for KAVO's dialog with this caption; fails the test when none shows.
    DialogDriver(Kavo& kavo, const wchar_t* caption);

    bool isOpen() const;
    // Waits until the dialog has gone (as after a key that closes it); false after a timeout.
    bool waitUntilClosed() const;
    // Clicks into the field and types the (non-empty) text over what it held; returns once the
    // field shows it.
    void type(int editId, const std::wstring& text);
    // A key pressed and released where the keyboard focus is, with a modifier held when given.
    void pressKey(WORD virtualKey, WORD modifier = 0);
    // Clicks the button and returns once KAVO has handled the click, or is showing a message
    // box from it.
    void press(int buttonId);
    // As the close box does.
    void close();

    // In a common open or save dialog: puts the path into the file name field and presses the
    // dialog's OK button, as typing the name and Enter does.
    void chooseFile(const std::wstring& path);
    // In a drop-down list: selects the item (from 0), as picking it with the mouse does.
    void choose(int comboId, int item);
    // A drop-down list's text is its selected item's.
    std::wstring text(int controlId) const;
    bool isChecked(int buttonId) const;

  private:
    Kavo& kavo_;
    HWND dialog_;
};

// Opens the edit dialog with the command, types the entry, checks the radio (0: none) and presses
// ＯＫ. Enter and Escape pressed on the way do nothing.
void enterEntry(Kavo& kavo, int command, const Entry& entry, int radio);

} // namespace kavo::e2e
