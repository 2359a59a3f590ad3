// The hidden input of the password dialogs: a window of KAVO's own beyond the right edge of the
// dialog that takes the keys while nothing is ever seen there, and a white field where a row of
// dots shows how many keys were pressed.
#pragma once

#include <windows.h>

#include "lock/typed_secret.h"

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

// The white field the dots are drawn in, in client pixels at the scale of the dialog's monitor.
RECT dotField(HWND dialog);
void paintDotField(HWND dialog, HDC dc, int dotCount);

// Wipes memory in a way the compiler may not leave out.
void secureWipe(void* data, std::size_t bytes);

// What a password dialog types into its hidden input, and the dots that count the keys, kept in
// step. Enter hands the text on to onEnter.
class DottedInput : public HiddenInputSink {
  public:
    void onCharacter(char16_t c) override { typed.onCharacter(c); }
    void onKeyDown(WPARAM key) override;

    // At WM_INITDIALOG: the input, in the dialog.
    void attach(HWND dialogWindow);
    // The dots and the typed text start again together, so the dots always show what would be
    // checked: the right password typed after a typo is not appended to the typo.
    void startOver();
    // WM_PAINT: the field and its dots; then the keys go back to the hidden input.
    INT_PTR paint();
    void takeKeyboard() const { SetFocus(hiddenInput); }

    HWND dialog = nullptr;
    TypedSecret typed{secureWipe};

  protected:
    ~DottedInput() = default;
    virtual void onEnter() = 0;

  private:
    void redrawDots() const;

    HWND hiddenInput = nullptr;
    int dotCount = 0;
};

} // namespace kavo
