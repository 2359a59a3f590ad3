#include "resources/resource.h"
#include "settings/settings_record.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/support/temp_directory.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

std::u16string defaultSettingsText() {
    return u"0\r\n0\r\n300\r\n350\r\n0\r\n0\r\n0\r\n0\r\n100\r\n30\r\n"
           u"100\r\n100\r\n0\r\n0\r\n4000\r\n4000\r\n5000\r\n0\r\n";
}

TEST(Startup, EmptyDirectoryOpensAtTheDefaultRectangleAndLeavesTheUsersCopyAndDefaults) {
    TempDirectory dir;
    setClipboardText(u"secret left by someone");
    Kavo kavo(dir.path());
    // Neither store file exists: the password file is reported first, then the list.
    for (int i = 0; i < 2; ++i) {
        const MessageBoxText box = kavo.answerNext(IDOK);
        EXPECT_EQ(box.caption, L"ﾌｧｲﾙｴﾗｰ");
        EXPECT_EQ(box.text, L"ﾌｧｲﾙが開けません");
    }
    kavo.shownWindow();
    EXPECT_EQ(kavo.title(), L"KAVO  (LocK)");
    const RECT r = kavo.rect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 350);

    kavo.close();
    ASSERT_TRUE(kavo.waitForExit());
    EXPECT_EQ(kavo.exitCode(), 0u);
    // KAVO put nothing on the clipboard, so it clears nothing there.
    EXPECT_EQ(clipboardText(), u"secret left by someone");
    EXPECT_EQ(dir.read(L"pw_set3.dat"), encodeTextFile(defaultSettingsText()));
}

TEST(Startup, ADataFolderInsideTheWindowsFolderIsNamedOnceBeforeTheMissingFiles) {
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    TempDirectory dir(std::wstring(windows) + L"\\");
    Kavo kavo(dir.path());
    const MessageBoxText warning = kavo.answerNext(IDOK);
    EXPECT_EQ(warning.caption, L"データの保存場所");
    EXPECT_NE(warning.text.find(L"\n" + dir.path() + L"\n"), std::wstring::npos);
    EXPECT_NE(warning.text.find(L"Windows のフォルダー"), std::wstring::npos);
    // Then KAVO goes on as in any first start, and leaves no trace of its check.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(kavo.answerNext(IDOK).text, L"ﾌｧｲﾙが開けません");
    }
    kavo.shownWindow();
    EXPECT_EQ(dir.names(), std::vector<std::wstring>{});
    kavo.close();
    ASSERT_TRUE(kavo.waitForExit());
    EXPECT_EQ(dir.names(), std::vector<std::wstring>{L"pw_set3.dat"});
}

TEST(Startup, OpensAtTheStoredRectangleAndWritesResizesBackAtExit) {
    TempDirectory dir;
    SettingsRecord stored;
    repairSettings(stored, 1024, 768);
    stored.windowX = 50;
    stored.windowY = 60;
    stored.windowWidth = 400;
    stored.windowHeight = 320;
    dir.write(L"pw_set3.dat", encodeTextFile(settingsFileText(stored)));

    Kavo kavo(dir.path());
    kavo.answerNext(IDOK);
    kavo.answerNext(IDOK);
    HWND window = kavo.shownWindow();
    RECT r = kavo.rect();
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 320);

    // The user drags the frame to a new size and place, and widens two columns.
    SetWindowPos(window, nullptr, 70, 80, 500, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(kavo.listView(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(150, 0));
    SendMessageW(kavo.listView(), LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(60, 0));
    kavo.close();
    ASSERT_TRUE(kavo.waitForExit());

    SettingsRecord expected = stored;
    expected.windowX = 70;
    expected.windowY = 80;
    expected.windowWidth = 500;
    expected.windowHeight = 420;
    expected.columnWidthName = 150;
    expected.columnWidthPw = 60;
    EXPECT_EQ(dir.read(L"pw_set3.dat"), encodeTextFile(settingsFileText(expected)));
}

// The scale Wine draws the programs started from now on at, as Windows' display setting; the
// one before comes back at the end of the test.
class ScaleForNewPrograms {
  public:
    explicit ScaleForNewPrograms(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD size = sizeof(previous_);
        hadValue_ = RegQueryValueExW(key_, kValue, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS;
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof(dpi));
    }
    ~ScaleForNewPrograms() {
        if (hadValue_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                           sizeof(previous_));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    ScaleForNewPrograms(const ScaleForNewPrograms&) = delete;
    ScaleForNewPrograms& operator=(const ScaleForNewPrograms&) = delete;

  private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadValue_ = false;
};

TEST(Startup, AtOneHundredAndFiftyPercentTheStoredSizesGrowAndAreWrittenBackAtOneHundred) {
    TempDirectory dir;
    SettingsRecord stored;
    repairSettings(stored, 1024, 768);
    stored.windowX = 40;
    stored.windowY = 30;
    dir.write(L"pw_set3.dat", encodeTextFile(settingsFileText(stored)));

    const ScaleForNewPrograms scale(144);
    Kavo kavo(dir.path());
    kavo.answerNext(IDOK);
    kavo.answerNext(IDOK);
    HWND window = kavo.shownWindow();
    const RECT r = kavo.rect();
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 45);
    EXPECT_EQ(r.right - r.left, 450);
    EXPECT_EQ(r.bottom - r.top, 525);
    EXPECT_EQ(SendMessageW(kavo.listView(), LVM_GETCOLUMNWIDTH, 0, 0), 150);
    // Images of 45 x 24 and their padding; the 96-DPI bitmap would give buttons of 37 x 22.
    const auto button =
        static_cast<DWORD>(SendMessageW(GetDlgItem(window, IDC_TOOLBAR), TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GE(LOWORD(button), 45);
    EXPECT_GE(HIWORD(button), 24);

    SendMessageW(kavo.listView(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(180, 0));
    kavo.close();
    ASSERT_TRUE(kavo.waitForExit());
    SettingsRecord expected = stored;
    expected.columnWidthName = 120;
    EXPECT_EQ(dir.read(L"pw_set3.dat"), encodeTextFile(settingsFileText(expected)));
}

TEST(Startup, ASettingsFileWithoutTheMarkIsIgnoredSilently) {
    TempDirectory dir;
    dir.write(L"pw_set3.dat", Bytes{'5', '0', '\r', '\n', '6', '0', '\r', '\n'});
    Kavo kavo(dir.path());
    kavo.answerNext(IDOK);
    kavo.answerNext(IDOK);
    kavo.shownWindow();
    const RECT r = kavo.rect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right - r.left, 300);
    kavo.close();
    ASSERT_TRUE(kavo.waitForExit());
    EXPECT_EQ(dir.read(L"pw_set3.dat"), encodeTextFile(defaultSettingsText()));
}

} // namespace
} // namespace kavo::e2e
