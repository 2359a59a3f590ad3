#include "store/file_messages_win.h"
#include "win/message_box_win.h"

#include "store/text_format.h"

#include "resources/texts.h"
#include "win/wide_text_win.h"

#include <string>

namespace kavo {

void showOpenFailure(HWND owner) {
    showFileMessage(owner, kOpenFailureText);
}

void showMarkFailure(HWND owner, std::wstring_view fileName) {
    showOkMessage(owner, formatText(kMarkFailureText, {fromWide(fileName)}), kMarkFailureCaption);
}

void showCloseFailure(HWND owner, std::wstring_view fileName) {
    showOkMessage(owner, fromWide(fileName), kCloseFailureCaption);
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
    showMessageBox(owner, text, kFileErrorCaption, MB_OK | MB_ICONWARNING);
}

} // namespace kavo
