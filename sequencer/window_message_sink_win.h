// The clipboard sequence's messages, shown over the window the user is looking at.
#pragma once

#include <windows.h>

#include "sequencer/sequence.h"
#include "win/message_box_win.h"

namespace kavo {

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
