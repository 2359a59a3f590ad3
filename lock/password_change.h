// What the "変更" button of the change-password dialog does: the new pass mode, whether the
// master password changes, and the messages to show, in order.
#pragma once

#include "resources/texts.h"
#include "store/password_file.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kavo {

struct PasswordChangeForm {
    std::u16string_view shownPassword; // the master password shown when the dialog opened
    std::int32_t passModeAtOpen;
    std::u16string_view typedPassword; // the whole text of the field now
    bool passModeTicked;
};

struct PasswordChange {
    // A new master password that the password file cannot hold exactly: nothing changes and
    // the dialog stays open; messages holds the reason.
    bool refused = false;
    std::int32_t passMode = 0; // as it was at opening when refused
    // The master password becomes typedPassword, and the store has unsaved changes.
    bool passwordChanged = false;
    std::vector<std::u16string_view> messages; // shown with kChangePasswordCaption
};

PasswordChange decidePasswordChange(const PasswordChangeForm& form, const AnsiCodec& codec);

} // namespace kavo
