#include "app/data_folder_key.h"
#include "app/help_targets.h"
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
