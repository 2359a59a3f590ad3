#include "store/export_file.h"
#include "tests/core/fake_file_system.h"

#include <gtest/gtest.h>

namespace kavo {
namespace {

const Bytes kNew{'n', 'e', 'w'};
const Bytes kOld{'o', 'l', 'd'};
constexpr std::u16string_view kId = u"1a-2b";
const std::u16string kSideNew = u"out.csv.kavo-export-1a-2b.new";
const std::u16string kSideOld = u"out.csv.kavo-export-1a-2b.old";

std::set<std::u16string> namesIn(const FakeFileSystem& fs) {
    std::set<std::u16string> names;
    for (const auto& [name, content] : fs.files) {
        names.insert(name);
    }
    return names;
}

// The user's own files that only look like side files: of the data files' save, of an earlier
// version, or of another program.
FakeFileSystem folderOfTheUsers() {
    FakeFileSystem fs;
    for (const char16_t* name : {u"out.csv.new", u"out.csv.kavo-1-2.new", u"out.csv.old",
                                 u"a.kavo-export-.new", u"a.kavo-export-x-1.old"}) {
        fs.files[name] = kOld;
    }
    return fs;
}

TEST(ExportFile, LeavesOnlyTheNamedFileAndRemovesEarlierExportsLeftovers) {
    FakeFileSystem fs = folderOfTheUsers();
    const std::set<std::u16string> users = namesIn(fs);
    // What a killed export left beside another file of the folder.
    fs.files[u"other.csv.kavo-export-99-ff.new"] = kNew;
    fs.files[u"other.csv.kavo-export-99-ff.old"] = kOld;

    ExportOutcome outcome = exportFile(fs, u"out.csv", kNew, kId);
    EXPECT_TRUE(outcome.done());
    std::set<std::u16string> expected = users;
    expected.insert(u"out.csv");
    EXPECT_EQ(namesIn(fs), expected);
    EXPECT_EQ(fs.files[u"out.csv"], kNew);
    EXPECT_TRUE(fs.hidden.empty());

    // Over the existing file, the old content goes with its side file.
    outcome = exportFile(fs, u"out.csv", Bytes{'2'}, u"1a-2c");
    EXPECT_TRUE(outcome.done());
    EXPECT_EQ(namesIn(fs), expected);
    EXPECT_EQ(fs.files[u"out.csv"], Bytes{'2'});
}

TEST(ExportFile, EveryFailedStepLeavesTheOldFileAndNoSideFile) {
    for (const bool exists : {false, true}) {
        for (int step = 0; step < 6; ++step) {
            SCOPED_TRACE(testing::Message() << "exists " << exists << " step " << step);
            FakeFileSystem fs;
            if (exists) {
                fs.files[u"out.csv"] = kOld;
            }
            fs.halfReplace = true;
            fs.failAt = step;
            const ExportOutcome outcome = exportFile(fs, u"out.csv", kNew, kId);
            if (outcome.done()) {
                EXPECT_EQ(namesIn(fs), std::set<std::u16string>{u"out.csv"});
                EXPECT_TRUE(fs.hidden.empty());
                EXPECT_EQ(fs.files[u"out.csv"], kNew);
                continue;
            }
            // A side file that stays is named, and the old file is where it was.
            for (const std::u16string& name : namesIn(fs)) {
                if (name != u"out.csv") {
                    EXPECT_NE(std::find(outcome.leftBehind.begin(), outcome.leftBehind.end(), name),
                              outcome.leftBehind.end());
                }
            }
            if (exists && !outcome.written) {
                EXPECT_EQ(fs.files[u"out.csv"], kOld);
            }
            EXPECT_FALSE(!exists && !outcome.written && fs.isFile(u"out.csv"));
        }
    }
}

TEST(ExportFile, AHeldSideFileMeansFailureReported) {
    FakeFileSystem fs;
    fs.files[u"out.csv"] = kOld;
    fs.held.insert(kSideOld); // a virus scanner opened the old content as it moved aside
    const ExportOutcome outcome = exportFile(fs, u"out.csv", kNew, kId);
    EXPECT_TRUE(outcome.written);
    EXPECT_FALSE(outcome.done());
    EXPECT_EQ(outcome.leftBehind, std::vector<std::u16string>{kSideOld});

    // The next export into the folder removes it once it is free.
    fs.held.clear();
    EXPECT_TRUE(exportFile(fs, u"new.csv", kNew, u"1a-2c").done());
    EXPECT_FALSE(fs.isFile(kSideOld));
}

} // namespace
} // namespace kavo
