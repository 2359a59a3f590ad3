// Password fields take no input method: with an IME on, the keys would go to a composition
// window that shows the typed text in clear near the caret.
#pragma once

#include <windows.h>

namespace kavo {

// Takes the input context away from the control for its whole life; keys then reach it as
// plain keys.
void detachInputMethod(HWND control);

} // namespace kavo
