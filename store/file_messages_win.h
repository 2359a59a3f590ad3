// The messages a data-file operation shows when its caller asks for messages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kavo {

// The file could not be opened or read.
void showOpenFailure(HWND owner);
// The file does not start with the FF FE mark; names the bare file name.
void showMarkFailure(HWND owner, std::wstring_view fileName);
// Closing the file failed; the text is the bare file name.
void showCloseFailure(HWND owner, std::wstring_view fileName);
// The file is far larger than any file of its kind can be, so it is not read.
void showTooLarge(HWND owner, std::wstring_view fileName);
// Saving stopped at this file. The old files are all still there, or, when restorePending, some
// still wait to be put back, which the next save or start does.
void showSaveFailure(HWND owner, std::wstring_view fileName, bool restorePending);
// Any other message about the data files, with the file error caption.
void showFileMessage(HWND owner, std::u16string_view text);

} // namespace kavo
