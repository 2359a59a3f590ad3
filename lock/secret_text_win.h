// The text of a control that holds a master password, read whole and wiped from memory when it
// is no longer needed, so no copy of the password lingers in freed memory.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kavo {

inline void wipeText(std::wstring& text) {
    if (!text.empty()) {
        SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t));
    }
    text.clear();
}

class SecretText {
  public:
    // All of the control's text: a longer text than any password is kept whole, not cut, so
    // it can never pass for a password it merely starts with.
    explicit SecretText(HWND control) {
        const int length = GetWindowTextLengthW(control);
        if (length > 0) {
            text_.resize(static_cast<std::size_t>(length) + 1);
            const int read = GetWindowTextW(control, text_.data(), length + 1);
            text_.resize(static_cast<std::size_t>(read > 0 ? read : 0));
        }
    }
    ~SecretText() { wipeText(text_); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    std::u16string_view view() const {
        return {reinterpret_cast<const char16_t*>(text_.data()), text_.size()};
    }

  private:
    std::wstring text_;
};

} // namespace kavo
