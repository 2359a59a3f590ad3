// The three messages a data-file operation shows when its caller asks for messages.
#pragma once

#include <windows.h>

#include <string_view>

namespace kavo {

// The file could not be opened (read or write), or a safe write could not be completed.
void showOpenFailure(HWND owner);
// The file does not start with the FF FE mark; names the bare file name.
void showMarkFailure(HWND owner, std::wstring_view fileName);
// Closing the file failed; the text is the bare file name.
void showCloseFailure(HWND owner, std::wstring_view fileName);

} // namespace kavo
