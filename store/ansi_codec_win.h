// The password file's text form: the thread's ANSI code page (932 on a Japanese system).
#pragma once

#include "store/password_file.h"

namespace kavo {

class ThreadAnsiCodec final : public AnsiCodec {
  public:
    // Characters without an exact equivalent become the code page's default character.
    std::string toAnsi(std::u16string_view text) const override;
    std::u16string fromAnsi(std::string_view bytes) const override;
};

} // namespace kavo
