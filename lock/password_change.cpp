#include "lock/password_change.h"

#include "resources/texts.h"
#include "settings/settings_record.h"

namespace kavo {

PasswordChange decidePasswordChange(const PasswordChangeForm& form, const AnsiCodec& codec) {
    PasswordChange change;
    const bool textChanged = form.typedPassword != form.shownPassword;
    if (textChanged && !isStorablePassword(form.typedPassword, codec)) {
        change.refused = true;
        change.passMode = form.passModeAtOpen;
        change.messages.push_back(kUnstorableMasterMessage);
        return change;
    }
    if (form.passModeTicked) {
        change.passMode = kPassModeMarker;
        if (form.passModeAtOpen != kPassModeMarker) {
            change.messages.push_back(kPassModeOnMessage);
        }
    } else {
        change.passMode = 0;
        if (form.passModeAtOpen != 0) {
            change.messages.push_back(kPassModeOffMessage);
        }
    }
    if (textChanged) {
        change.passwordChanged = true;
        change.messages.push_back(kChangedMessage);
    }
    return change;
}

} // namespace kavo
