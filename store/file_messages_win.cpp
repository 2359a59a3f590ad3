#include "store/file_messages_win.h"

#include "win/wide_text_win.h"

#include <string>

namespace kavo {

namespace {

constexpr wchar_t kFileErrorCaption[] = L"ﾌｧｲﾙｴﾗｰ";

} // namespace

void showOpenFailure(HWND owner) {
    MessageBoxW(owner, L"ﾌｧｲﾙが開けません", kFileErrorCaption, MB_OK | MB_ICONWARNING);
}

void showMarkFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text = std::wstring(fileName) + L"がWide文字で有りません!。";
    MessageBoxW(owner, text.c_str(), L"ErrorFileRead", MB_OK);
}

void showCloseFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text(fileName);
    MessageBoxW(owner, text.c_str(), L"CloseHandle-errer", MB_OK);
}

void showTooLarge(HWND owner, std::wstring_view fileName) {
    const std::wstring text = std::wstring(fileName) + L"が大き過ぎるので読み込みません。";
    MessageBoxW(owner, text.c_str(), kFileErrorCaption, MB_OK | MB_ICONWARNING);
}

void showSaveFailure(HWND owner, std::wstring_view fileName, bool restorePending) {
    std::wstring text = std::wstring(fileName) + L"を保存できません。\n";
    text += restorePending
                ? L"保存前のファイルに戻し切れませんでした。次の保存か起動の時に戻します。"
                : L"ファイルは保存前のままです。";
    MessageBoxW(owner, text.c_str(), kFileErrorCaption, MB_OK | MB_ICONWARNING);
}

void showFileMessage(HWND owner, std::u16string_view text) {
    MessageBoxW(owner, toWide(text).c_str(), kFileErrorCaption, MB_OK | MB_ICONWARNING);
}

} // namespace kavo
