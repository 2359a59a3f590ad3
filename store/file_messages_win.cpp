#include "store/file_messages_win.h"

#include <string>

namespace kavo {

void showOpenFailure(HWND owner) {
    MessageBoxW(owner, L"ﾌｧｲﾙが開けません", L"ﾌｧｲﾙｴﾗｰ", MB_OK | MB_ICONWARNING);
}

void showMarkFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text = std::wstring(fileName) + L"がWide文字で有りません!。";
    MessageBoxW(owner, text.c_str(), L"ErrorFileRead", MB_OK);
}

void showCloseFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text(fileName);
    MessageBoxW(owner, text.c_str(), L"CloseHandle-errer", MB_OK);
}

} // namespace kavo
