// The find box: a modeless dialog over the main window, one at a time. What is typed selects the
// first entry whose title or ID holds it; 次へ (Enter, F3) and 前へ (Shift+F3) go on from the
// selected row, around the end. It only selects, so it works while the lock is on.
#pragma once

#include <windows.h>

#include "dialogs/find_rule.h"
#include "store/entry_table.h"

#include <string>

namespace kavo {

class FindBox {
  public:
    // The entries searched; the list that shows them follows the table.
    explicit FindBox(EntryTable& table) : table_(table) {}
    ~FindBox();
    FindBox(const FindBox&) = delete;
    FindBox& operator=(const FindBox&) = delete;

    // Opens the box over the owner with the last text, or brings the open one forward.
    void open(HINSTANCE instance, HWND owner);
    // F3 and Shift+F3 with the box closed go on with the last text; before any, they open it.
    void findAgain(HINSTANCE instance, HWND owner, FindDirection direction);
    void close();
    bool isOpen() const { return box_ != nullptr; }
    // Follows the owner: while a modal box of the owner is open, the find box takes no input.
    void followOwnerEnabled(bool enabled);
    // Gives the open box its keys: the shortcuts first, then Tab, Enter and Escape. True when
    // the message was for the box and has been handled.
    bool takeMessage(HACCEL shortcuts, MSG& message);

    // The dialog procedure's handler.
    INT_PTR handle(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void onInit(HWND box);
    INT_PTR onCommand(WPARAM wParam);
    void onTextChanged();
    void step(FindDirection direction);
    // Selects the row found, as a click would, and says what the box has to say.
    void show(const FindResult& result, FindDirection direction);
    void closeToList();
    // A click on a row could reach it now: no modal box of the owner is open, and it is shown.
    bool ownerTakesClicks() const;

    EntryTable& table_;
    HWND owner_ = nullptr;
    HWND box_ = nullptr;
    std::u16string text_;
    // Set while the box puts the last text into its field, which is no typing.
    bool filling_ = false;
};

} // namespace kavo
