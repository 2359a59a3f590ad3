#include "win/message_box_win.h"

#include "win/wide_text_win.h"

namespace kavo {

void showOkMessage(HWND owner, std::u16string_view text, std::u16string_view caption) {
    MessageBoxW(owner, toWide(text).c_str(), toWide(caption).c_str(), MB_OK);
}

} // namespace kavo
