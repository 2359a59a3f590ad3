// A plain OK message box with the program's fixed texts.
#pragma once

#include <windows.h>
#include "win/message_box_win.h"

#include <string_view>

namespace kavo {

// The one message box: the program's texts with the buttons and icon of the style; the button
// pressed (IDOK, IDYES, ...).
int showMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style);

void showOkMessage(HWND owner, std::u16string_view text, std::u16string_view caption);

} // namespace kavo
