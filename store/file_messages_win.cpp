#include "store/file_messages_win.h"

#include "store/text_format.h"

#include "resources/texts.h"
#include "win/wide_text_win.h"

#include <string>

namespace kavo {

void showOpenFailure(HWND owner) {
    showFileMessage(owner, kOpenFailureText);
}

void showMarkFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text = toWide(formatText(kMarkFailureText, {fromWide(fileName)}));
    MessageBoxW(owner, text.c_str(), toWide(kMarkFailureCaption).c_str(), MB_OK);
}

void showCloseFailure(HWND owner, std::wstring_view fileName) {
    const std::wstring text(fileName);
    MessageBoxW(owner, text.c_str(), toWide(kCloseFailureCaption).c_str(), MB_OK);
}

void showTooLarge(HWND owner, std::wstring_view fileName) {
    showFileMessage(owner, formatText(kTooLargeText, {fromWide(fileName)}));
}

void showSaveFailure(HWND owner, std::wstring_view fileName, bool restorePending) {
    std::u16string text = formatText(kNotSavedText, {fromWide(fileName)});
    text += restorePending ? kRestorePendingText : kUnchangedFilesText;
    showFileMessage(owner, text);
}

void showFileMessage(HWND owner, std::u16string_view text) {
    MessageBoxW(owner, toWide(text).c_str(), toWide(kFileErrorCaption).c_str(),
                MB_OK | MB_ICONWARNING);
}

} // namespace kavo
