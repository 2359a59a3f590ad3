#include "lock/password_change.h"

#include "settings/settings_record.h"

namespace kavo {

namespace {

constexpr std::u16string_view kPassModeOnMessage = u"パスワードのパスモードになりました。";
constexpr std::u16string_view kPassModeOffMessage = u"パスワードのパスモードが解除された。";
constexpr std::u16string_view kChangedMessage = u"パスワード変更された。忘れないようにご注意！。";
constexpr std::u16string_view kUnstorableMessage =
    u"このパスワードは保存出来ません。使えない文字を含むか、長過ぎます。";

} // namespace

PasswordChange decidePasswordChange(const PasswordChangeForm& form, const AnsiCodec& codec) {
    PasswordChange change;
    const bool textChanged = form.typedPassword != form.shownPassword;
    if (textChanged && !isStorablePassword(form.typedPassword, codec)) {
        change.refused = true;
        change.passMode = form.passModeAtOpen;
        change.messages.push_back(kUnstorableMessage);
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
