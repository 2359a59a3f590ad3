#include "app/data_folder_key.h"
#include "app/help_targets.h"
#include "app/session_end.h"
#include "app/tray_rules.h"
#include "resources/resource.h"
#include "kavo_version.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

TEST(TrayRules, OnlyADoubleClickOrARightPressOnOurIconDoesAnything) {
    constexpr std::intptr_t kMouseMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202;
    constexpr std::intptr_t kLeftDoubleClick = 0x0203, kRightDown = 0x0204, kRightUp = 0x0205;
    EXPECT_EQ(trayClickAction(IDC_TRAY_ICON, kLeftDoubleClick), TrayClickAction::Restore);
    EXPECT_EQ(trayClickAction(IDC_TRAY_ICON, kRightDown), TrayClickAction::ShowMenu);
    for (const std::intptr_t other : {kMouseMove, kLeftDown, kLeftUp, kRightUp}) {
        EXPECT_EQ(trayClickAction(IDC_TRAY_ICON, other), TrayClickAction::Nothing) << other;
    }
    EXPECT_EQ(trayClickAction(IDC_TRAY_ICON + 1, kLeftDoubleClick), TrayClickAction::Nothing);

    EXPECT_EQ(trayIconFor(SequenceState::Idle), StateIcon::Idle);
    EXPECT_EQ(trayIconFor(SequenceState::IdPhase), StateIcon::Id);
    EXPECT_EQ(trayIconFor(SequenceState::PwPhase), StateIcon::Pw);
}

TEST(HelpTargets, BothPagesLieOnTheOneWebSiteAndTheAboutBoxNamesTheVersion) {
    const std::u16string home = homePageUrl();
    ASSERT_TRUE(home.starts_with(u"http://") && home.ends_with(u"/")) << home.size();
    const std::u16string host = home.substr(7, home.size() - 8);
    EXPECT_FALSE(host.empty());
    EXPECT_EQ(host.find(u'/'), std::u16string::npos);
    EXPECT_EQ(downloadPageUrl(), u"https://" + host + u"/kavo/kavo_dl.htm");
    EXPECT_EQ(aboutHomePageLine(), host);
    EXPECT_NE(aboutCreatorLine().find(u"" KAVO_VERSION_TEXT), std::u16string::npos);
}

// Windows and the user as the answer to a session's end sees them: the prompt's answer, a box
// already open, and whether Windows was told why KAVO holds the session when each thing happened.
class FakeSessionHost final : public SessionHost {
  public:
    bool promptAllowsExit = true;
    bool boxOpen = false;
    bool held = false;
    int prompts = 0;
    bool heldDuringPrompt = false;
    int boxesShown = 0;

    void holdSession() override { held = true; }
    void releaseSession() override { held = false; }
    bool confirmExit() override {
        ++prompts;
        heldDuringPrompt = held;
        return promptAllowsExit;
    }
    bool modalBoxOpen() const override { return boxOpen; }
    void bringOpenBoxForward() override { ++boxesShown; }
};

TEST(SessionEnd, OnlyUnsavedChangesAskWhileWindowsKnowsWhyAndAnOpenBoxKeepsItsAnswer) {
    FakeSessionHost nothingUnsaved;
    nothingUnsaved.held = true; // from an earlier refusal
    EXPECT_TRUE(answerSessionEnd(false, nothingUnsaved));
    EXPECT_EQ(nothingUnsaved.prompts, 0);
    EXPECT_FALSE(nothingUnsaved.held);

    FakeSessionHost yesOrNo;
    EXPECT_TRUE(answerSessionEnd(true, yesOrNo));
    EXPECT_EQ(yesOrNo.prompts, 1);
    EXPECT_TRUE(yesOrNo.heldDuringPrompt);
    EXPECT_FALSE(yesOrNo.held);

    FakeSessionHost cancel;
    cancel.promptAllowsExit = false;
    EXPECT_FALSE(answerSessionEnd(true, cancel));
    EXPECT_TRUE(cancel.held);

    FakeSessionHost boxOpen;
    boxOpen.boxOpen = true;
    EXPECT_FALSE(answerSessionEnd(true, boxOpen));
    EXPECT_EQ(boxOpen.prompts, 0);
    EXPECT_EQ(boxOpen.boxesShown, 1);
    EXPECT_TRUE(boxOpen.held);
}

TEST(DataFolderKey, OneFolderHowEverItIsSpelledAndAnotherFolderApart) {
    const std::uint64_t key = dataFolderKey(u"C:\\USERS\\KAVO\\DATA");
    for (const std::u16string_view same :
         {u"C:\\USERS\\KAVO\\DATA\\", u"C:/USERS/KAVO/DATA", u"\\\\?\\C:\\USERS\\KAVO\\DATA\\"}) {
        EXPECT_EQ(dataFolderKey(same), key);
    }
    for (const std::u16string_view other :
         {u"C:\\USERS\\KAVO\\DATA2", u"C:\\USERS\\KAVO", u"D:\\USERS\\KAVO\\DATA"}) {
        EXPECT_NE(dataFolderKey(other), key);
    }
    // A kernel object's name may hold no separator past its namespace.
    const std::u16string name = dataFolderLockName(key);
    EXPECT_TRUE(name.starts_with(u"Local\\"));
    EXPECT_EQ(name.find(u'\\', 6), std::u16string::npos);
    EXPECT_NE(dataFolderLockName(dataFolderKey(u"D:\\DATA")), name);
}

} // namespace
} // namespace kavo
