#include "store/file_set.h"
#include "tests/core/fake_file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace kavo {
namespace {

const std::vector<std::u16string> kNames{u"pw_set1.dat", u"pw_set2.dat"};
const std::vector<FileToSave> kNewPair{{u"pw_set1.dat", Bytes{'n', '1'}},
                                       {u"pw_set2.dat", Bytes{'n', '2'}}};

// The old directory: each of the two files present with old content, or missing.
FakeFileSystem oldDirectory(bool listPresent, bool passwordsPresent) {
    FakeFileSystem fs;
    if (listPresent) {
        fs.files[u"pw_set1.dat"] = Bytes{'o', '1'};
    }
    if (passwordsPresent) {
        fs.files[u"pw_set2.dat"] = Bytes{'o', '2'};
    }
    return fs;
}

std::map<std::u16string, Bytes> newFiles() {
    return {{u"pw_set1.dat", Bytes{'n', '1'}}, {u"pw_set2.dat", Bytes{'n', '2'}}};
}

// Runs the check for every old directory and every step a save takes.
template <typename Check>
void forEveryStateAndStep(Check check) {
    for (const bool listPresent : {true, false}) {
        for (const bool passwordsPresent : {true, false}) {
            FakeFileSystem counted = oldDirectory(listPresent, passwordsPresent);
            ASSERT_TRUE(saveFileSet(counted, kNewPair, u"1-1").saved);
            for (int step = 0; step < counted.steps; ++step) {
                SCOPED_TRACE(::testing::Message() << "list " << listPresent << ", passwords "
                                                  << passwordsPresent << ", step " << step);
                check(oldDirectory(listPresent, passwordsPresent), step);
            }
        }
    }
}

TEST(FileSet, AFailureAtAnyStepLeavesBothOldFilesAndNothingElse) {
    for (const bool halfReplace : {false, true}) {
        forEveryStateAndStep([&](FakeFileSystem fs, int step) {
            const auto old = fs.files;
            fs.failAt = step;
            fs.halfReplace = halfReplace;
            const SaveOutcome outcome = saveFileSet(fs, kNewPair, u"1-1");
            if (outcome.saved) {
                // Only removing the old copies failed: the new pair is in place, and the copies
                // go at the next recovery.
                EXPECT_TRUE(recoverFileSet(fs, kNames).consistent);
                EXPECT_EQ(fs.files, newFiles());
            } else {
                EXPECT_FALSE(outcome.failedFile.empty());
                EXPECT_FALSE(outcome.restorePending);
                EXPECT_EQ(fs.files, old);
            }
        });
    }
}

TEST(FileSet, ASaveCutShortAtAnyStepIsUndoneOrFinishedAtTheNextStart) {
    forEveryStateAndStep([&](FakeFileSystem fs, int step) {
        const auto old = fs.files;
        fs.crashAt = step;
        EXPECT_THROW(saveFileSet(fs, kNewPair, u"1-1"), Crash);
        fs.crashAt = -1;
        EXPECT_TRUE(recoverFileSet(fs, kNames).consistent);
        EXPECT_TRUE(fs.files == old || fs.files == newFiles());
    });
}

TEST(FileSet, LeftoversAreCleanedUpAndNeverBlockASaveButOtherFilesStay) {
    FakeFileSystem fs = oldDirectory(true, true);
    fs.files[u"pw_set2.dat.new"] = Bytes{'x'};          // an earlier version's leftover
    fs.files[u"pw_set2.dat.kavo-7-7.new"] = Bytes{'x'}; // a save cut short while writing
    fs.files[u"pw_set1.dat.kavo-8-8.new"] = Bytes{'x'}; // one that another program holds
    fs.held.insert(u"pw_set1.dat.kavo-8-8.new");
    fs.files[u"pw_set1.dat.bak"] = Bytes{'u'}; // the user's own copy
    ASSERT_TRUE(saveFileSet(fs, kNewPair, u"9-9").saved);
    auto expected = newFiles();
    expected[u"pw_set1.dat.kavo-8-8.new"] = Bytes{'x'};
    expected[u"pw_set1.dat.bak"] = Bytes{'u'};
    EXPECT_EQ(fs.files, expected);
}

TEST(FileSet, AnOldFileThatCannotBePutBackIsRetriedAndBlocksSavingUntilThen) {
    FakeFileSystem fs = oldDirectory(true, true);
    fs.crashAt = 3; // both new files written, the list file in place, the passwords not
    EXPECT_THROW(saveFileSet(fs, kNewPair, u"1-1"), Crash);
    fs.crashAt = -1;
    fs.held.insert(u"pw_set1.dat.kavo-1-1.old"); // a backup program is reading the old list
    const RecoveryOutcome blocked = recoverFileSet(fs, kNames);
    EXPECT_FALSE(blocked.consistent);
    EXPECT_EQ(blocked.blockedFile, u"pw_set1.dat.kavo-1-1.old");
    const SaveOutcome refused = saveFileSet(fs, kNewPair, u"2-2");
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.restorePending);
    fs.held.clear();
    EXPECT_TRUE(recoverFileSet(fs, kNames).consistent);
    EXPECT_EQ(fs.files, oldDirectory(true, true).files);

    // A replace of the passwords cut short halfway: its old file waits as a backup too. The held
    // list backup does not keep it from being put back.
    FakeFileSystem half = oldDirectory(false, false);
    half.files = {{u"pw_set1.dat", Bytes{'n', '1'}},
                  {u"pw_set1.dat.kavo-1-1.old", Bytes{'o', '1'}},
                  {u"pw_set2.dat.kavo-1-1.old", Bytes{'o', '2'}},
                  {u"pw_set2.dat.kavo-1-1.new", Bytes{'n', '2'}}};
    half.held.insert(u"pw_set1.dat.kavo-1-1.old");
    EXPECT_FALSE(recoverFileSet(half, kNames).consistent);
    EXPECT_EQ(half.files[u"pw_set2.dat"], (Bytes{'o', '2'}));
}

// Files a person or another program may put beside the data files. None of them is ever removed,
// renamed or put in place of a data file, whatever leftovers of a save sit beside them.
TEST(FileSet, RecoveryTouchesOnlyItsOwnSideFilesWhateverElseLiesThere) {
    const std::vector<std::u16string> lookAlikes{u"pw_set1.dat.old",
                                                 u"pw_set2.dat.old",
                                                 u"pw_set1.dat.none",
                                                 u"pw_set1.dat.bak",
                                                 u"pw_set1.dat.kavo-backup",
                                                 u"pw_set2.dat.kavo-1.txt",
                                                 u"pw_set1.dat.kavo-1.old",
                                                 u"pw_set2.dat.kavo-1-x.old",
                                                 u"pw_set1.dat.KAVO-1-1.old",
                                                 u"pw_set1.dat.kavo--1.old",
                                                 u"pw_set2.dat.kavo-1-1.old.bak"};
    // Leftovers: an earlier version's new file, and a save of ours cut short in each state.
    const std::vector<std::vector<std::u16string>> leftovers{
        {u"pw_set2.dat.new"},
        {u"pw_set1.dat.new"},
        {u"pw_set1.dat.kavo-a-1.new", u"pw_set2.dat.kavo-a-1.new"},
        {u"pw_set1.dat.kavo-a-1.old", u"pw_set2.dat.kavo-a-1.new"}};
    for (const auto& leftover : leftovers) {
        SCOPED_TRACE(::testing::Message() << leftover.size() << " leftovers");
        FakeFileSystem fs = oldDirectory(true, true);
        for (const std::u16string& name : lookAlikes) {
            fs.files[name] = Bytes{'u'};
        }
        for (const std::u16string& name : leftover) {
            fs.files[name] = Bytes{'x'};
        }
        // A save cut short after the list was put in place: the list is the new one.
        if (fs.isFile(u"pw_set1.dat.kavo-a-1.old")) {
            fs.files[u"pw_set1.dat.kavo-a-1.old"] = Bytes{'o', '1'};
            fs.files[u"pw_set1.dat"] = Bytes{'n', '1'};
        }
        EXPECT_TRUE(recoverFileSet(fs, kNames).consistent);
        auto expected = oldDirectory(true, true).files;
        for (const std::u16string& name : lookAlikes) {
            expected[name] = Bytes{'u'};
        }
        EXPECT_EQ(fs.files, expected);
    }
}

TEST(FileSet, ADataFileAnotherProgramHoldsIsNotReplacedAndNothingIsWritten) {
    FakeFileSystem heldData = oldDirectory(true, true);
    heldData.held.insert(u"pw_set2.dat");
    const SaveOutcome refused = saveFileSet(heldData, kNewPair, u"2-2");
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.failedFile, u"pw_set2.dat");
    EXPECT_EQ(heldData.files, oldDirectory(true, true).files);
}

} // namespace
} // namespace kavo
