// The hidden input of the password dialogs: a window of KAVO's own beyond the right edge of the
// dialog that takes the keys while nothing is ever seen there, and a white field where a row of
// dots shows how many keys were pressed.
#pragma once

#include <windows.h>

namespace kavo {

// What the input hands on: each character the keyboard produced, and each key press that is not
// Tab or Escape (neither is part of a password, and neither may leave or close the dialog).
class HiddenInputSink {
  public:
    virtual void onCharacter(char16_t c) = 0;
    virtual void onKeyDown(WPARAM key) = 0;

  protected:
    ~HiddenInputSink() = default;
};

// Creates the input in the dialog, with no input method, handing its keys to the sink.
HWND createHiddenInput(HWND dialog, HiddenInputSink& sink);

// The white field the dots are drawn in, in client pixels.
inline constexpr RECT kDotField{10, 30, 210, 53};
void paintDotField(HDC dc, int dotCount);

// Wipes memory in a way the compiler may not leave out.
void secureWipe(void* data, std::size_t bytes);

} // namespace kavo
