#include "settings/settings_file_win.h"
#include "store/data_files_win.h"
#include "tests/support/temp_directory.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

using testing::TempDirectory;

TEST(DataFiles, WritesAndReadsBackWholeFilesInTheDataDirectory) {
    TempDirectory dir;
    const Bytes content = encodeTextFile(u"title=あいう\r\nid=x\r\n");
    ASSERT_TRUE(writeStoreFile(nullptr, dir.path(), L"pw_set1.dat", FileMessages::Off, content));
    EXPECT_EQ(dir.read(L"pw_set1.dat"), content);
    EXPECT_FALSE(dir.exists(L"pw_set1.dat.new"));

    const auto lines = readTextFile(dir.path(), L"pw_set1.dat", FileMessages::Off, nullptr);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (std::vector<std::u16string>{u"title=あいう", u"id=x", u""}));

    // Every operation leaves the data directory current.
    SetCurrentDirectoryW(L"C:\\");
    readDataFile(dir.path(), L"pw_set1.dat", FileMessages::Off, nullptr);
    EXPECT_EQ(currentDirectory(), dir.path());
}

TEST(DataFiles, ReadingMissingOrUnmarkedFilesGivesNothing) {
    TempDirectory dir;
    EXPECT_FALSE(readDataFile(dir.path(), L"pw_set2.dat", FileMessages::Off, nullptr));
    dir.write(L"pw_set3.dat", Bytes{'3', '0', '0', '\r', '\n'});
    EXPECT_FALSE(readTextFile(dir.path(), L"pw_set3.dat", FileMessages::Off, nullptr));
    EXPECT_TRUE(readDataFile(dir.path(), L"pw_set3.dat", FileMessages::Off, nullptr));
}

TEST(DataFiles, AFailedReplaceLeavesTheOldFileWhole) {
    TempDirectory dir;
    const Bytes old = encodeTextFile(u"old\r\n");
    dir.write(L"pw_set1.dat", old);

    // Read-only: the new content cannot take its place.
    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writeStoreFile(nullptr, dir.path(), L"pw_set1.dat", FileMessages::Off,
                                encodeTextFile(u"new\r\n")));
    EXPECT_EQ(dir.read(L"pw_set1.dat"), old);
    EXPECT_FALSE(dir.exists(L"pw_set1.dat.new"));
    SetFileAttributesW(dir.file(L"pw_set1.dat").c_str(), FILE_ATTRIBUTE_NORMAL);

    // Held open by another program without sharing.
    HANDLE held = CreateFileW(dir.file(L"pw_set1.dat").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(writeStoreFile(nullptr, dir.path(), L"pw_set1.dat", FileMessages::Off,
                                encodeTextFile(u"new\r\n")));
    CloseHandle(held);
    EXPECT_EQ(dir.read(L"pw_set1.dat"), old);

    // A data directory that has gone away.
    EXPECT_FALSE(
        writeStoreFile(nullptr, dir.file(L"missing"), L"pw_set1.dat", FileMessages::Off, old));
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
    std::wstring dataDirectory;
    loadSettings(loaded, dataDirectory);
    EXPECT_EQ(dataDirectory, dir.path());
    EXPECT_EQ(loaded, saved);

    // Without the file nothing is read and nothing is reported.
    DeleteFileW(dir.file(L"pw_set3.dat").c_str());
    SettingsRecord empty;
    loadSettings(empty, dataDirectory);
    EXPECT_EQ(empty, SettingsRecord{});
}

} // namespace
} // namespace kavo
