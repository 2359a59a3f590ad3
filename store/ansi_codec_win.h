// The password file's text form: the thread's ANSI code page (932 on a Japanese system).
#pragma once

#include "store/password_file.h"

namespace kavo {

class ThreadAnsiCodec final : public AnsiCodec {
  public:
    ThreadAnsiCodec();
    // Characters without an exact equivalent become the code page's default character; a text
    // the code page cannot convert at all, or bytes that are not valid in it, give nullopt.
    std::optional<std::string> toAnsi(std::u16string_view text) const override;
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override;

    unsigned codePage() const { return codePage_; }

  private:
    unsigned codePage_;
};

} // namespace kavo
