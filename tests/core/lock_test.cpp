#include "app/menu_rules.h"
#include "app/session_watch.h"
#include "lock/dot_count.h"
#include "lock/password_change.h"
#include "lock/typed_secret.h"
#include "lock/unlock_check.h"
#include "resources/resource.h"
#include "settings/settings_record.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace kavo {
namespace {

TEST(DotCount, DigitToF11KeysAddUpToTwelveBackspaceTakesOneOffOthersNothing) {
    constexpr unsigned kBackspace = 0x08, kSpace = 0x20, kShift = 0x10, kMinus = 0xBD;
    constexpr unsigned kZero = 0x30, kF11 = 0x7A, kF12 = 0x7B;
    EXPECT_EQ(dotCountAfterKey(0, kBackspace), 0);
    for (const unsigned key : {kSpace, kShift, kMinus, kF12, kZero - 1, kCheckKey}) {
        EXPECT_EQ(dotCountAfterKey(3, key), 3) << "key " << key;
    }
    EXPECT_EQ(dotCountAfterKey(dotCountAfterKey(0, kZero), kF11), 2);
    EXPECT_EQ(dotCountAfterKey(2, kBackspace), 1);
    EXPECT_EQ(dotCountAfterKey(kMaxDots, 'A'), kMaxDots);
    EXPECT_EQ(dotRow(3), u"●●●");
}

// A wipe that the test can see: what it cleared stays cleared.
std::size_t g_wipedBytes = 0;
void countingWipe(void* data, std::size_t bytes) {
    std::fill_n(static_cast<unsigned char*>(data), bytes, 0);
    g_wipedBytes += bytes;
}

TEST(TypedSecret, KeepsPrintableCharactersDropsControlOnesAndIsWipedWhenCleared) {
    TypedSecret typed(countingWipe);
    for (const char16_t c : u"ab\u0016\r\t\u001B\u007Fc\U0001F600") {
        typed.onCharacter(c); // Ctrl+V, Enter, Tab, Escape, Ctrl+Backspace type nothing
    }
    EXPECT_EQ(typed.view(), u"abc\U0001F600");
    typed.onCharacter(u'\b'); // the pair goes whole
    EXPECT_EQ(typed.view(), u"abc");
    g_wipedBytes = 0;
    typed.clear();
    EXPECT_EQ(typed.view(), u"");
    EXPECT_EQ(g_wipedBytes, TypedSecret::kCapacity * sizeof(char16_t));

    // Full, it stays longer than any master password, so it matches none.
    for (std::size_t i = 0; i < TypedSecret::kCapacity + 10; ++i) {
        typed.onCharacter(u'k');
    }
    EXPECT_EQ(typed.view().size(), TypedSecret::kCapacity);
    EXPECT_FALSE(checkMasterPassword({std::u16string(127, u'k'), {}}, typed.view(), u"").unlocked);
}

TEST(PasswordChange, QuietWithoutAChangeAndTooLongOrUnmappableTextsAreRefused) {
    const Latin1Codec codec;
    PasswordChange change = decidePasswordChange({u"old", kPassModeMarker, u"old", true}, codec);
    EXPECT_TRUE(change.messages.empty());
    EXPECT_FALSE(change.passwordChanged);
    EXPECT_EQ(change.passMode, kPassModeMarker);
    // An emptied field removes the password.
    change = decidePasswordChange({u"old", 0, u"", false}, codec);
    EXPECT_EQ(change.messages.size(), 1u);
    EXPECT_TRUE(change.passwordChanged);

    const std::u16string longest(127, u'a'), tooLong(128, u'a');
    EXPECT_FALSE(decidePasswordChange({u"", 0, longest, false}, codec).refused);
    for (const std::u16string_view typed :
         {std::u16string_view(tooLong), std::u16string_view(u"\u3042")}) {
        change = decidePasswordChange({u"", kPassModeMarker, typed, false}, codec);
        EXPECT_TRUE(change.refused && !change.passwordChanged) << typed.size();
        EXPECT_EQ(change.passMode, kPassModeMarker);
    }
    // The password as loaded is kept as it is, whatever its form.
    EXPECT_FALSE(decidePasswordChange({tooLong, 0, tooLong, false}, codec).refused);
}

TEST(UnlockCheck, OnlyTheWholeMasterPasswordUnlocksNoneSetUnlocksAnythingUnknownNothing) {
    const auto check = [](std::u16string_view master, std::u16string_view typed) {
        return checkMasterPassword({std::u16string(master), {}}, typed, u"C:\\d\\pw_set2.dat");
    };
    EXPECT_EQ(check(u"", u"x").unlocked, true);
    EXPECT_EQ(check(u"", u"x").message, u"設定されてません。");
    EXPECT_EQ(check(u"key", u"key").message, u"解除しました。");
    for (const std::u16string_view typed : {u"ke", u"key1", u"KEY", u""}) {
        const UnlockCheck refused = check(u"key", typed);
        EXPECT_FALSE(refused.unlocked) << std::string(typed.begin(), typed.end());
        EXPECT_EQ(refused.message, u"解除出来ません。");
    }
    // Unknown, with or without a record kept: nothing opens it, the empty text included.
    for (const bool withRecord : {false, true}) {
        MasterPassword unknown;
        unknown.unknown = true;
        if (withRecord) {
            unknown.loaded = LoadedRecord{{}, u""};
        }
        for (const std::u16string_view typed : {u"", u"\uFFFD", u"key"}) {
            const UnlockCheck refused = checkMasterPassword(unknown, typed, u"C:\\d\\pw_set2.dat");
            EXPECT_FALSE(refused.unlocked);
            EXPECT_NE(refused.message.find(u"C:\\d\\pw_set2.dat"), std::u16string::npos);
        }
    }
}

// Windows refuses as often as the test says, then accepts; the calls are recorded.
struct FakeSessionWatchHost final : SessionWatchHost {
    int refusals = 0;
    std::vector<std::string> calls;
    bool registerForNotifications() override {
        calls.push_back("register");
        return refusals-- <= 0;
    }
    void unregisterFromNotifications() override { calls.push_back("unregister"); }
    void startRetryTimer(int ms) override { calls.push_back("timer " + std::to_string(ms)); }
    void stopRetryTimer() override { calls.push_back("stop timer"); }
};

TEST(SessionWatch, ARefusedRegistrationIsRetriedOnOneTimerUntilItHoldsAndUndoneOnlyThen) {
    using Calls = std::vector<std::string>;
    FakeSessionWatchHost host;
    host.refusals = 2;
    SessionWatch watch;
    watch.start(host);
    watch.onRetryTimer(host);
    EXPECT_FALSE(watch.registered());
    watch.onRetryTimer(host);
    EXPECT_TRUE(watch.registered());
    watch.onRetryTimer(host); // a tick already queued
    watch.stop(host);
    EXPECT_EQ(host.calls, (Calls{"register", "timer 3000", "register", "register", "stop timer",
                                 "unregister"}));

    // The window goes while Windows still refuses: the timer goes with it, nothing to undo.
    FakeSessionWatchHost refusing;
    refusing.refusals = 100;
    SessionWatch never;
    never.start(refusing);
    never.stop(refusing);
    never.onRetryTimer(refusing);
    EXPECT_EQ(refusing.calls, (Calls{"register", "timer 3000", "stop timer"}));
}

TEST(MenuRules, EditingItemsFollowTheLockAndUnlockingIsGrayOnlyInPassMode) {
    const auto enabled = [](bool unlocked, std::int32_t passMode) {
        std::map<int, bool> items;
        for (const MenuItemState& state : popupItemStates(unlocked, passMode)) {
            items[state.id] = state.enabled;
        }
        return items;
    };
    EXPECT_FALSE(enabled(false, 0).at(IDC_CMD_EDIT));
    EXPECT_TRUE(enabled(false, 0).at(IDC_CMD_UNLOCK));
    EXPECT_TRUE(enabled(true, 0).at(IDC_CMD_REVEAL));
    EXPECT_TRUE(enabled(false, kPassModeMarker).at(IDC_CMD_DELETE));
    EXPECT_FALSE(enabled(false, kPassModeMarker).at(IDC_CMD_UNLOCK));
    EXPECT_TRUE(isEditingCommand(IDC_CMD_MOVE_DOWN));
    EXPECT_FALSE(isEditingCommand(IDC_CMD_UNLOCK));
}

} // namespace
} // namespace kavo
