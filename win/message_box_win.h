// A plain OK message box with the program's fixed texts.
#pragma once

#include <windows.h>

#include <string_view>

namespace kavo {

void showOkMessage(HWND owner, std::u16string_view text, std::u16string_view caption);

} // namespace kavo
