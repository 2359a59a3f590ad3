// The master password asked at start for files protected with it: the hidden input of the unlock
// dialog (dots only, no input method, no text another program can read), ＯＫ and キャンセル.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace kavo {

// Runs the dialog modally over the owner. Each ＯＫ (or Enter) hands what was typed to
// tryPassword, then wipes it; a refused one is said and asked again. True when tryPassword took
// one, false on キャンセル or the close box.
bool runMasterPasswordPrompt(HWND owner, HINSTANCE instance,
                             const std::function<bool(std::u16string_view)>& tryPassword);

} // namespace kavo
