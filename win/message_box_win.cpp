#include "win/message_box_win.h"

#include "win/wide_text_win.h"

namespace kavo {

int showMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style) {
    return MessageBoxW(owner, toWide(text).c_str(), toWide(caption).c_str(), style);
}

void showOkMessage(HWND owner, std::u16string_view text, std::u16string_view caption) {
    showMessageBox(owner, text, caption, MB_OK);
}

} // namespace kavo
