#include "app/data_folder_check.h"
#include "app/data_folder_key.h"
#include "app/help_targets.h"
#include "app/session_end.h"
#include "app/tray_rules.h"
#include "kavo_version.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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
    EXPECT_EQ(hasWebSite(), !isPlaceholderHost(host));
    EXPECT_EQ(aboutHomePageLine(), hasWebSite() ? host : u"ホームページなし");
    EXPECT_NE(aboutCreatorLine().find(u"" KAVO_VERSION_TEXT), std::u16string::npos);
}

TEST(HelpTargets, OnlyTheReservedExampleNamesAreTakenForNoWebSite) {
    for (const std::u16string_view host :
         {u"kavo.example.com", u"KAVO.Example.COM.", u"example.org:8080", u"www.example",
          u"kavo.test", u"localhost:8000", u"example.net"}) {
        EXPECT_TRUE(isPlaceholderHost(host)) << std::string(host.begin(), host.end());
    }
    for (const std::u16string_view host :
         {u"kavo.jp", u"myexample.com", u"example.com.jp", u"www.kavo-example.org", u"test.jp"}) {
        EXPECT_FALSE(isPlaceholderHost(host)) << std::string(host.begin(), host.end());
    }
}

TEST(DataFolderCheck, FoldersUnderTheSystemFoldersAreFoundByWholeNamesInAnySpelling) {
    SystemFolders folders;
    // A bare drive, an empty name and a temp folder that holds the whole profile mark nothing.
    folders.temporary = {u"C:\\Users\\me\\AppData\\Local\\Temp\\", u"C:\\", u"", u"c:\\users\\ME"};
    folders.programFiles = {u"C:\\Program Files", u"C:\\Program Files (x86)"};
    folders.windows = {u"C:\\Windows"};
    folders.userProfile = u"C:\\Users\\me";
    const struct {
        std::u16string_view folder;
        DataFolderProblem problem;
    } cases[] = {
        {u"C:\\Users\\me\\AppData\\Local\\Temp\\Temp1_KAVO-1.0.0-win64.zip\\KAVO",
         DataFolderProblem::Temporary},
        {u"c:/users/ME/appdata/local/temp/", DataFolderProblem::Temporary},
        {u"\\\\?\\C:\\Users\\me\\AppData\\Local\\Temp\\x", DataFolderProblem::Temporary},
        {u"C:\\Users\\me\\AppData\\Local\\Temporary", DataFolderProblem::None},
        {u"C:\\Users\\me\\Documents\\KAVO", DataFolderProblem::None},
        {u"C:\\Program Files\\KAVO", DataFolderProblem::ProgramFiles},
        {u"C:\\PROGRAM FILES (X86)\\KAVO", DataFolderProblem::ProgramFiles},
        {u"C:\\Program FilesX\\KAVO", DataFolderProblem::None},
        {u"C:\\WINDOWS\\system32", DataFolderProblem::WindowsFolder},
        {u"D:\\Windows", DataFolderProblem::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dataFolderProblem(c.folder, folders), c.problem)
            << std::string(c.folder.begin(), c.folder.end());
    }

    // The message names the folder and what to do, with a reason of its own for each problem.
    std::vector<std::u16string> warnings;
    for (const DataFolderProblem problem :
         {DataFolderProblem::Temporary, DataFolderProblem::ProgramFiles,
          DataFolderProblem::WindowsFolder, DataFolderProblem::NotWritable}) {
        warnings.push_back(dataFolderWarning(problem, u"C:\\Work\\KAVO"));
        EXPECT_NE(warnings.back().find(u"\nC:\\Work\\KAVO\n"), std::u16string::npos);
        EXPECT_NE(warnings.back().find(u"作業フォルダー"), std::u16string::npos);
    }
    std::sort(warnings.begin(), warnings.end());
    EXPECT_EQ(std::unique(warnings.begin(), warnings.end()), warnings.end());
}

// What the answer to a session's end did, and whether Windows knew why KAVO held the session
// while the prompt was up.
struct FakeSessionHost final : SessionHost {
    bool promptAllowsExit = true, boxOpen = false, held = false, heldDuringPrompt = false;
    bool keptBeforePrompt = false;
    int prompts = 0, boxesShown = 0, kept = 0;
    void holdSession() override { held = true; }
    void releaseSession() override { held = false; }
    void keepUnsavedChanges() override { ++kept; }
    bool confirmExit() override {
        ++prompts;
        heldDuringPrompt = held;
        keptBeforePrompt = kept == 1;
        return promptAllowsExit;
    }
    bool modalBoxOpen() const override { return boxOpen; }
    void bringOpenBoxForward() override { ++boxesShown; }
};

TEST(SessionEnd,
     UnsavedChangesAreKeptFirstThenAskedWhileWindowsKnowsWhyAndAnOpenBoxKeepsItsAnswer) {
    constexpr SessionEndKind ordinary = SessionEndKind::Ordinary;
    FakeSessionHost clean, yesOrNo, cancel, boxOpen, critical;
    clean.held = true; // since an earlier refusal beside an open box
    cancel.promptAllowsExit = false;
    boxOpen.boxOpen = true;
    EXPECT_TRUE(answerSessionEnd(false, ordinary, clean));
    EXPECT_TRUE(clean.prompts == 0 && clean.kept == 0 && !clean.held);

    EXPECT_TRUE(answerSessionEnd(true, ordinary, yesOrNo));
    EXPECT_TRUE(yesOrNo.prompts == 1 && yesOrNo.heldDuringPrompt && !yesOrNo.held);
    EXPECT_TRUE(yesOrNo.keptBeforePrompt);
    EXPECT_FALSE(answerSessionEnd(true, ordinary, cancel));
    EXPECT_TRUE(cancel.heldDuringPrompt && !cancel.held);
    EXPECT_FALSE(answerSessionEnd(true, ordinary, boxOpen));
    EXPECT_TRUE(boxOpen.prompts == 0 && boxOpen.boxesShown == 1 && boxOpen.held);
    EXPECT_EQ(boxOpen.kept, 1);
    // A critical end takes KAVO whatever it answers: no prompt, the changes kept all the same.
    EXPECT_TRUE(answerSessionEnd(true, SessionEndKind::Critical, critical));
    EXPECT_TRUE(critical.prompts == 0 && critical.kept == 1 && !critical.held);
}

TEST(DataFolderKey, OneFolderHowEverItIsSpelledAndAnotherFolderApart) {
    const std::uint64_t key = dataFolderKey(u"C:\\USERS\\KAVO\\DATA");
    EXPECT_EQ(dataFolderKey(u"\\\\?\\C:/USERS/KAVO/DATA\\"), key);
    EXPECT_NE(dataFolderKey(u"C:\\USERS\\KAVO\\DATA2"), key);
    EXPECT_NE(dataFolderKey(u"C:\\USERS\\KAVO"), key);
    // A kernel object's name may hold no separator past its namespace.
    const std::u16string name = dataFolderLockName(key);
    EXPECT_TRUE(name.starts_with(u"Local\\") && name.find(u'\\', 6) == std::u16string::npos);
}

} // namespace
} // namespace kavo
