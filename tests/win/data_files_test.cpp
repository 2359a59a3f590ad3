#include "settings/settings_file_win.h"
#include "store/data_files_win.h"
#include "store/decimal_text.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace kavo {
namespace {

using testing::TempDirectory;

constexpr std::size_t kAnySize = 1024 * 1024;

bool saveOne(const std::wstring& directory, const std::u16string& name, const Bytes& content) {
    const std::array<FileToSave, 1> files{FileToSave{name, content}};
    return saveDataFiles(nullptr, directory, files, FileMessages::Off);
}

TEST(DataFiles, WritesAndReadsBackWholeFilesInTheDataDirectory) {
    TempDirectory dir;
    const Bytes content = encodeTextFile(u"title=あいう\r\nid=x\r\n");
    ASSERT_TRUE(saveOne(dir.path(), u"pw_set1.dat", content));
    EXPECT_EQ(dir.read(L"pw_set1.dat"), content);
    EXPECT_EQ(dir.names(), std::vector<std::wstring>{L"pw_set1.dat"});

    const auto lines =
        readTextFile(dir.path(), L"pw_set1.dat", kAnySize, FileMessages::Off, nullptr);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (std::vector<std::u16string>{u"title=あいう", u"id=x", u""}));

    // Every operation leaves the data directory current.
    SetCurrentDirectoryW(L"C:\\");
    readDataFile(dir.path(), L"pw_set1.dat", kAnySize, FileMessages::Off, nullptr);
    EXPECT_EQ(currentDirectory(), dir.path());
}

TEST(DataFiles, ReadingMissingUnmarkedOrOversizedFilesGivesNothing) {
    TempDirectory dir;
    EXPECT_FALSE(readDataFile(dir.path(), L"pw_set2.dat", kAnySize, FileMessages::Off, nullptr));
    dir.write(L"pw_set3.dat", Bytes{'3', '0', '0', '\r', '\n'});
    EXPECT_FALSE(readTextFile(dir.path(), L"pw_set3.dat", kAnySize, FileMessages::Off, nullptr));
    EXPECT_TRUE(readDataFile(dir.path(), L"pw_set3.dat", kAnySize, FileMessages::Off, nullptr));

    // A file larger than its kind can be is refused before it is read, and says so.
    EXPECT_TRUE(readDataFile(dir.path(), L"pw_set3.dat", 5, FileMessages::Off, nullptr));
    std::vector<testing::MessageBoxAnswerer::Box> boxes;
    {
        testing::MessageBoxAnswerer answerer;
        EXPECT_FALSE(readDataFile(dir.path(), L"pw_set3.dat", 4, FileMessages::On, nullptr));
        boxes = answerer.boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"pw_set3.datが大き過ぎるので読み込みません。");
}

// A sync client or virus scanner holds the file for a moment: the read and the save wait it out,
// and a reader that shares the file never stands in their way.
TEST(DataFiles, AFileHeldForAMomentIsStillReadAndSavedAndASharingReaderIsNoObstacle) {
    TempDirectory dir;
    const Bytes content = encodeTextFile(u"title=a\r\nid=b\r\n");
    ASSERT_TRUE(saveOne(dir.path(), u"pw_set1.dat", content));
    const auto holdFor = [&](DWORD ms) {
        HANDLE held = CreateFileW(dir.file(L"pw_set1.dat").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
        return std::thread([held, ms] {
            Sleep(ms);
            CloseHandle(held);
        });
    };
    std::thread release = holdFor(300);
    EXPECT_EQ(readDataFile(dir.path(), L"pw_set1.dat", kAnySize, FileMessages::Off, nullptr),
              content);
    release.join();
    release = holdFor(300);
    EXPECT_TRUE(saveOne(dir.path(), u"pw_set1.dat", Bytes{0xFF, 0xFE}));
    release.join();

    HANDLE reader = CreateFileW(dir.file(L"pw_set1.dat").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(readDataFile(dir.path(), L"pw_set1.dat", kAnySize, FileMessages::Off, nullptr));
    EXPECT_TRUE(saveOne(dir.path(), u"pw_set1.dat", content));
    CloseHandle(reader);
    EXPECT_EQ(dir.read(L"pw_set1.dat"), content);
}

TEST(DataFiles, AFailedReplaceLeavesTheOldFileWholeAndNothingBesideIt) {
    TempDirectory dir;
    const Bytes old = encodeTextFile(u"old\r\n");
    dir.write(L"pw_set3.dat", old);

    // Read-only: the new content cannot take its place.
    SetFileAttributesW(dir.file(L"pw_set3.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(saveOne(dir.path(), u"pw_set3.dat", encodeTextFile(u"new\r\n")));
    EXPECT_EQ(dir.read(L"pw_set3.dat"), old);
    SetFileAttributesW(dir.file(L"pw_set3.dat").c_str(), FILE_ATTRIBUTE_NORMAL);

    // Held open by another program without sharing.
    HANDLE held = CreateFileW(dir.file(L"pw_set3.dat").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(saveOne(dir.path(), u"pw_set3.dat", encodeTextFile(u"new\r\n")));
    CloseHandle(held);
    EXPECT_EQ(dir.read(L"pw_set3.dat"), old);
    EXPECT_EQ(dir.names(), std::vector<std::wstring>{L"pw_set3.dat"});

    // A data directory that has gone away.
    EXPECT_FALSE(saveOne(dir.file(L"missing"), u"pw_set3.dat", old));
}

TEST(DataFiles, AnExportLeavesTheUsersFilesAndAVisibleFileOnly) {
    TempDirectory dir;
    const Bytes old{'o', 'l', 'd'};
    dir.write(L"passwords.csv.new", old);
    dir.write(L"passwords.csv", old);
    for (const Bytes& content : {Bytes{'1'}, Bytes{'2'}}) {
        EXPECT_TRUE(exportFileSafely(dir.path(), L"passwords.csv", content).done());
        EXPECT_EQ(dir.read(L"passwords.csv"), content);
        EXPECT_EQ(dir.names(), (std::vector<std::wstring>{L"passwords.csv", L"passwords.csv.new"}));
        const DWORD attributes = GetFileAttributesW(dir.file(L"passwords.csv").c_str());
        EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY), 0u);
        DeleteFileW(dir.file(L"passwords.csv").c_str()); // the second one is a new file
    }
    EXPECT_EQ(dir.read(L"passwords.csv.new"), old);
}

TEST(DataFiles, SettingsNumbersSkipTheSameBlanksAsWtoi) {
    // A unit skipped as a blank lets the sign after it count; other scripts' digits, which only
    // _wtoi reads, end the number there instead, so they do not get in the way.
    for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
        const wchar_t text[] = {static_cast<wchar_t>(unit), L'-', L'7', L'\0'};
        const std::u16string_view view(reinterpret_cast<const char16_t*>(text), 3);
        ASSERT_EQ(parseLeadingInt(view) == -7, _wtoi(text) == -7) << "unit " << std::hex << unit;
    }
}

TEST(DataFiles, SettingsRoundTripThroughTheCurrentDirectory) {
    TempDirectory dir;
    SetCurrentDirectoryW(dir.path().c_str());
    SettingsRecord saved;
    repairSettings(saved, 1280, 1024);
    saved.windowX = 40;
    saved.passMode = kPassModeMarker;
    saveSettings(saved, dir.path(), nullptr);

    SettingsRecord loaded;
    DataStore store;
    store.captureFolder();
    loadSettings(loaded, store.folder());
    EXPECT_EQ(store.folder(), dir.path());
    EXPECT_EQ(loaded, saved);

    // Without the file nothing is read and nothing is reported.
    DeleteFileW(dir.file(L"pw_set3.dat").c_str());
    SettingsRecord empty;
    loadSettings(empty, store.folder());
    EXPECT_EQ(empty, SettingsRecord{});
}

} // namespace
} // namespace kavo
