// Whether a typed password can be kept in the password file exactly as typed. A record holds
// the password's ANSI form in at most 127 bytes, and only the bytes 32 to 158 come back from
// the scrambling unchanged; a character the code page has no form for would come back as "?".
#pragma once

#include "store/password_file.h"

#include <string_view>

namespace kavo {

enum class PasswordFit { Storable, UnstorableCharacter, TooLong };

PasswordFit passwordFit(std::u16string_view password, const AnsiCodec& codec);

} // namespace kavo
