// A plain OK message box with the program's fixed texts.
#pragma once

#include <windows.h>

#include "sequencer/sequence.h"

#include <string_view>

namespace kavo {

void showOkMessage(HWND owner, std::u16string_view text, std::u16string_view caption);

// Messages of the clipboard sequence, owned by the window the user is looking at.
class WindowMessageSink final : public MessageSink {
  public:
    explicit WindowMessageSink(HWND owner) : owner_(owner) {}
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        showOkMessage(owner_, text, caption);
    }

  private:
    HWND owner_;
};

} // namespace kavo
