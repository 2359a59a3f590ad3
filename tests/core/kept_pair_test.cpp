// Keeping the data files aside before a save replaces them: always as a pair, and never the same
// pair twice.
#include "store/kept_pair.h"
#include "store/load_report.h"
#include "tests/core/fake_file_system.h"

#include <gtest/gtest.h>

#include <array>

namespace kavo {
namespace {

const std::array<std::u16string, 2> kNames{u"pw_set1.dat", u"pw_set2.dat"};

TEST(KeptPair, EitherFileNotReadWholeKeepsBothButLossesWrittenBackByteForByteKeepNone) {
    struct Case {
        const char* what;
        bool listRead;
        ListLoadLosses list;
        bool passwordsRead;
        PasswordLoadLosses passwords;
        bool keep;
    };
    PasswordLoadLosses unreadable;
    unreadable.unreadableRecords = 2;
    unreadable.masterUnreadable = true;
    PasswordLoadLosses damaged;
    damaged.damagedRecords = 1;
    const Case cases[] = {
        {"list unreadable", false, {}, true, {}, true},
        {"passwords unreadable", true, {}, false, {}, true},
        {"both unreadable", false, {}, false, {}, true},
        {"list cut", true, {0, 1}, true, {}, true},
        {"damaged record", true, {}, true, damaged, true},
        {"code page cannot read some records", true, {}, true, unreadable, false},
        {"read whole", true, {}, true, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(listNeedsKeeping(true, c.listRead, c.list) ||
                      passwordsNeedKeeping(true, c.passwordsRead, c.passwords),
                  c.keep);
    }
    // A missing file is no loss.
    EXPECT_FALSE(listNeedsKeeping(false, false, {}) || passwordsNeedKeeping(false, false, {}));
}

TEST(KeptPair, BothFilesUnderOneStampAndTheSamePairNotAgain) {
    FakeFileSystem fs;
    fs.files[kNames[0]] = {'l', '1'};
    fs.files[kNames[1]] = {'p', '1'};
    const KeptPair first = keepPairAside(fs, kNames, kNames, KeptPairKind::AsFound, u"20261209-1");
    ASSERT_TRUE(first.kept);
    EXPECT_FALSE(first.alreadyKept);
    EXPECT_EQ(first.copies, (std::vector<std::u16string>{u"pw_set1.dat.as-found-20261209-1.bak",
                                                         u"pw_set2.dat.as-found-20261209-1.bak"}));
    EXPECT_EQ(fs.files[first.copies[0]], fs.files[kNames[0]]);
    EXPECT_EQ(fs.files[first.copies[1]], fs.files[kNames[1]]);

    // The same bytes at a later start: nothing new piles up.
    const std::size_t filesBefore = fs.files.size();
    const KeptPair again = keepPairAside(fs, kNames, kNames, KeptPairKind::AsFound, u"20261209-2");
    EXPECT_TRUE(again.kept && again.alreadyKept);
    EXPECT_EQ(again.copies, first.copies);
    EXPECT_EQ(fs.files.size(), filesBefore);

    // One file changed: a whole new pair, under a stamp of its own even within the same second.
    fs.files[kNames[1]] = {'p', '2'};
    const KeptPair changed =
        keepPairAside(fs, kNames, kNames, KeptPairKind::AsFound, u"20261209-1");
    ASSERT_TRUE(changed.kept && !changed.alreadyKept);
    EXPECT_EQ(changed.copies[0], u"pw_set1.dat.as-found-20261209-1-2.bak");
    EXPECT_EQ(fs.files[changed.copies[1]], (Bytes{'p', '2'}));
}

TEST(KeptPair, AFailedCopyLeavesNoHalfPairAndAMissingFileIsNoCopy) {
    FakeFileSystem fs;
    fs.files[kNames[0]] = {'l'};
    fs.files[kNames[1]] = {'p'};
    fs.failAt = 1; // the password file's copy
    const KeptPair failed = keepPairAside(fs, kNames, kNames, KeptPairKind::AsFound, u"1");
    EXPECT_FALSE(failed.kept);
    EXPECT_EQ(failed.failedFile, kNames[1]);
    EXPECT_EQ(fs.files.size(), 2u);

    // Unsaved changes of a session end, from the recovery pair to names that say what they are.
    FakeFileSystem recovery;
    recovery.files[recoveryPairName(kNames[1])] = {'p'};
    const std::array<std::u16string, 2> sources{recoveryPairName(kNames[0]),
                                                recoveryPairName(kNames[1])};
    const KeptPair kept =
        keepPairAside(recovery, sources, kNames, KeptPairKind::UnsavedChanges, u"1");
    EXPECT_TRUE(kept.kept);
    EXPECT_EQ(kept.copies, (std::vector<std::u16string>{u"pw_set2.dat.unsaved-1.bak"}));
}

} // namespace
} // namespace kavo
