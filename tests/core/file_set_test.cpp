#include "store/file_set.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace kavo {
namespace {

struct Crash {};

// An in-memory data directory whose changing operations can fail, or stop the program, at a
// chosen step. A failed replace may have done its first half (the old file already renamed to
// the backup), as ReplaceFileW can.
class FakeFileSystem : public FileSystem {
  public:
    std::map<std::u16string, Bytes> files;
    // Held open by another program: cannot be moved or removed.
    std::set<std::u16string> held;
    int failAt = -1;
    int crashAt = -1;
    bool halfReplace = false;
    int steps = 0;

    bool isFile(std::u16string_view name) const override { return files.contains(key(name)); }
    std::vector<std::u16string> filesStartingWith(std::u16string_view prefix) const override {
        std::vector<std::u16string> found;
        for (const auto& [name, content] : files) {
            if (name.starts_with(prefix)) {
                found.push_back(name);
            }
        }
        return found;
    }
    bool canReplace(std::u16string_view) const override { return true; }
    bool writeNewFile(std::u16string_view name, std::span<const std::uint8_t> content) override {
        if (!step() || isFile(name)) {
            return false;
        }
        files[key(name)] = Bytes(content.begin(), content.end());
        return true;
    }
    bool replaceFile(std::u16string_view target, std::u16string_view replacement,
                     std::u16string_view backup) override {
        if (!step()) {
            if (halfReplace && isFile(target)) {
                files[key(backup)] = take(target);
            }
            return false;
        }
        if (!isFile(target) || !isFile(replacement)) {
            return false;
        }
        files[key(backup)] = take(target);
        files[key(target)] = take(replacement);
        return true;
    }
    bool moveFile(std::u16string_view from, std::u16string_view to) override {
        if (!step() || !isFile(from) || held.contains(key(from))) {
            return false;
        }
        files[key(to)] = take(from);
        return true;
    }
    bool removeFile(std::u16string_view name) override {
        if (!step() || held.contains(key(name))) {
            return false;
        }
        return files.erase(key(name)) == 1;
    }

  private:
    static std::u16string key(std::u16string_view name) { return std::u16string(name); }
    Bytes take(std::u16string_view name) {
        Bytes content = std::move(files[key(name)]);
        files.erase(key(name));
        return content;
    }
    bool step() {
        const int now = steps++;
        if (now == crashAt) {
            throw Crash{};
        }
        return now != failAt;
    }
};

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
            ASSERT_TRUE(saveFileSet(counted, kNewPair, u"1").saved);
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
            const SaveOutcome outcome = saveFileSet(fs, kNewPair, u"1");
            if (outcome.saved) {
                // Only removing the old copies failed: the new pair is in place, and the copies
                // go at the next recovery.
                EXPECT_TRUE(recoverFileSet(fs, kNames));
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
        EXPECT_THROW(saveFileSet(fs, kNewPair, u"1"), Crash);
        fs.crashAt = -1;
        EXPECT_TRUE(recoverFileSet(fs, kNames));
        EXPECT_TRUE(fs.files == old || fs.files == newFiles());
    });
}

TEST(FileSet, LeftoversAreCleanedUpAndNeverBlockASaveButOtherFilesStay) {
    FakeFileSystem fs = oldDirectory(true, true);
    fs.files[u"pw_set2.dat.new"] = Bytes{'x'};        // an earlier version's leftover
    fs.files[u"pw_set2.dat.kavo-7.new"] = Bytes{'x'}; // a save cut short while writing
    fs.files[u"pw_set1.dat.kavo-8.new"] = Bytes{'x'}; // one that another program holds
    fs.held.insert(u"pw_set1.dat.kavo-8.new");
    fs.files[u"pw_set1.dat.bak"] = Bytes{'u'}; // the user's own copy
    ASSERT_TRUE(saveFileSet(fs, kNewPair, u"9").saved);
    auto expected = newFiles();
    expected[u"pw_set1.dat.kavo-8.new"] = Bytes{'x'};
    expected[u"pw_set1.dat.bak"] = Bytes{'u'};
    EXPECT_EQ(fs.files, expected);
}

TEST(FileSet, AnOldFileThatCannotBePutBackIsRetriedAndBlocksSavingUntilThen) {
    FakeFileSystem fs = oldDirectory(true, true);
    fs.crashAt = 3; // both new files written, the list file in place, the passwords not
    EXPECT_THROW(saveFileSet(fs, kNewPair, u"1"), Crash);
    fs.crashAt = -1;
    fs.held.insert(u"pw_set1.dat.kavo-1.old"); // a backup program is reading the old list
    EXPECT_FALSE(recoverFileSet(fs, kNames));
    const SaveOutcome refused = saveFileSet(fs, kNewPair, u"2");
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.restorePending);
    fs.held.clear();
    EXPECT_TRUE(recoverFileSet(fs, kNames));
    EXPECT_EQ(fs.files, oldDirectory(true, true).files);
}

} // namespace
} // namespace kavo
