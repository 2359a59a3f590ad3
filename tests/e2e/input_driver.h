// Real keyboard input from outside KAVO: a window of the test's own with an edit field that
// takes the focus, and key presses injected with SendInput, as a user would type them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kavo::e2e {

// Which Ctrl key a chord uses; raw input reports the right one with the E0 prefix.
enum class CtrlKey { Left, Right, None };

class PasteTarget {
  public:
    PasteTarget();
    ~PasteTarget();
    PasteTarget(const PasteTarget&) = delete;
    PasteTarget& operator=(const PasteTarget&) = delete;

    // Brings the window to the front with the keyboard focus in its edit field.
    void focus();
    // Types V with the given Ctrl key held (None: V alone).
    void typePaste(CtrlKey ctrl);
    // Left Ctrl+V as one burst, Ctrl released right after V, as a macro tool sends it.
    void typePasteBurst();
    // The edit field's text, after the window has handled what is waiting.
    std::wstring text();
    void clear();
    HWND window() const { return window_; }

  private:
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

enum class MouseButton { Left, Right };

// Types the text key by key (Shift where the layout needs it; "\r" is Enter) into whatever
// window has the keyboard focus.
void typeText(std::wstring_view text);

// A key pressed and released where the keyboard focus is, with a modifier (VK_CONTROL,
// VK_SHIFT) held around it when one is given.
void pressKey(WORD virtualKey, WORD modifier = 0);

// Moves the real mouse pointer to the screen point and clicks there.
void clickAt(int x, int y, MouseButton button);

// Handles this thread's waiting messages for about the given time.
void pumpMessages(DWORD ms);

} // namespace kavo::e2e
