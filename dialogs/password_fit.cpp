#include "dialogs/password_fit.h"

#include <algorithm>
#include <string>

namespace kavo {

PasswordFit passwordFit(std::u16string_view password, const AnsiCodec& codec) {
    const std::string ansi = codec.toAnsi(password);
    // The code page puts its default character where it has no exact form, so a character
    // that did not come back is one the file cannot hold.
    const bool exact = codec.fromAnsi(ansi) == password;
    const bool storableBytes = std::all_of(ansi.begin(), ansi.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= kFirstStorableByte && byte <= kLastStorableByte;
    });
    if (!exact || !storableBytes) {
        return PasswordFit::UnstorableCharacter;
    }
    // Every character fits, so what the file still refuses is the length.
    return isStorablePassword(password, codec) ? PasswordFit::Storable : PasswordFit::TooLong;
}

} // namespace kavo
