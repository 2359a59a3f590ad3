// The decisions behind synced data folders: whether the files changed since they were read, when a
// newer pair has settled enough to be taken in, which generations go, which names are a sync
// client's copies, and what another folder's entries would bring.
#include "store/backup_generations.h"
#include "store/conflict_copies.h"
#include "store/merge_plan.h"
#include "store/pair_fingerprint.h"
#include "tests/support/memory_table.h"
#include "tests/support/test_entries.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kavo {
namespace {

const std::array<std::u16string, 2> kNames{u"pw_set1.dat", u"pw_set2.dat"};

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// A protected container's opening bytes with the pair id given at its place.
std::vector<std::uint8_t> container(std::uint8_t idByte) {
    std::vector<std::uint8_t> bytes = bytesOf("KAVOENC1");
    bytes.resize(40, 0);
    bytes.resize(56, idByte);
    bytes.push_back(0x55);
    return bytes;
}

PairFingerprint pairOf(std::string_view list, std::string_view passwords,
                       std::uint64_t time = 100) {
    return {fingerprintOf(bytesOf(list), time), fingerprintOf(bytesOf(passwords), time)};
}

TEST(ChangeCheck, EachFileChangedAppearedOrVanishedAndTimeStampsAloneAreNoChange) {
    const PairFingerprint noted = pairOf("list", "pass");
    PairFingerprint listGone = noted;
    listGone.list = FileFingerprint{};
    FileFingerprint heldByAnother;
    heldByAnother.present = true;
    heldByAnother.size = 4;
    heldByAnother.lastWrite = 100;
    FileFingerprint heldLater = heldByAnother;
    heldLater.lastWrite = 101;
    struct Case {
        const char* what;
        PairFingerprint noted;
        PairFingerprint now;
        FileChange list;
        FileChange passwords;
    };
    const Case cases[] = {
        {"unchanged", noted, pairOf("list", "pass"), FileChange::None, FileChange::None},
        {"only touched", noted, pairOf("list", "pass", 999), FileChange::None, FileChange::None},
        {"list changed, same size", noted, pairOf("LIST", "pass"), FileChange::Changed,
         FileChange::None},
        {"passwords grew", noted, pairOf("list", "pass!"), FileChange::None, FileChange::Changed},
        {"both changed", noted, pairOf("l2", "p2"), FileChange::Changed, FileChange::Changed},
        {"list vanished", noted, listGone, FileChange::Vanished, FileChange::None},
        {"list appeared", listGone, noted, FileChange::Appeared, FileChange::None},
        {"both absent", PairFingerprint{}, PairFingerprint{}, FileChange::None, FileChange::None},
        {"held by another program, as it was",
         noted,
         {heldByAnother, noted.passwords},
         FileChange::None,
         FileChange::None},
        {"held by another program, written since",
         noted,
         {heldLater, noted.passwords},
         FileChange::Changed,
         FileChange::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PairChange change = compareWithNoted(c.noted, c.now);
        EXPECT_EQ(change.list, c.list);
        EXPECT_EQ(change.passwords, c.passwords);
        EXPECT_EQ(change.any(), c.list != FileChange::None || c.passwords != FileChange::None);
    }
}

TEST(ChangeCheck, ProtectedPairsCarryTheirPairIdAndOnlyOneIdInBothIsAWholePair) {
    EXPECT_EQ(containerPairId(bytesOf("plain list")), std::nullopt);
    const std::vector<std::uint8_t> whole = container(7);
    EXPECT_EQ(containerPairId(std::span(whole).first(50)), std::nullopt); // cut short
    const std::optional<PairId> id = containerPairId(container(7));
    ASSERT_TRUE(id);
    EXPECT_EQ((*id)[0], 7);
    EXPECT_EQ((*id)[15], 7);

    const PairFingerprint protectedPair{fingerprintOf(container(7), 1),
                                        fingerprintOf(container(7), 1)};
    EXPECT_TRUE(formsWholePair(protectedPair));
    EXPECT_TRUE(formsWholePair(pairOf("list", "pass")));
    // One file of a newer save beside one of an older: not taken in.
    PairFingerprint mixed = protectedPair;
    mixed.passwords = fingerprintOf(container(8), 1);
    EXPECT_FALSE(formsWholePair(mixed));
    EXPECT_TRUE(compareWithNoted(protectedPair, mixed).any());
    PairFingerprint plainBesideProtected = protectedPair;
    plainBesideProtected.list = fingerprintOf(bytesOf("list"), 1);
    EXPECT_FALSE(formsWholePair(plainBesideProtected));
    PairFingerprint half = pairOf("list", "pass");
    half.passwords = FileFingerprint{};
    EXPECT_FALSE(formsWholePair(half));
}

TEST(ChangeCheck, ANewerPairIsTakenInOnlyOnceItHasStayedStillForTwoSeconds) {
    const PairFingerprint noted = pairOf("list", "pass");
    SettledChange settle;
    EXPECT_EQ(settle.look(noted, noted, 0), SettledChange::Verdict::Nothing);

    PairFingerprint half = pairOf("new list", "pass", 200);
    EXPECT_EQ(settle.look(noted, half, 1000), SettledChange::Verdict::Wait);
    // The second file arrives: the clock starts again.
    const PairFingerprint whole = pairOf("new list", "new pass", 300);
    EXPECT_EQ(settle.look(noted, whole, 2500), SettledChange::Verdict::Wait);
    EXPECT_EQ(settle.look(noted, whole, 4000), SettledChange::Verdict::Wait);
    EXPECT_EQ(settle.look(noted, whole, 4500), SettledChange::Verdict::TakeIn);

    // Half a pair that stays still is never taken in.
    settle.reset();
    half.passwords = FileFingerprint{};
    EXPECT_EQ(settle.look(noted, half, 0), SettledChange::Verdict::Wait);
    EXPECT_EQ(settle.look(noted, half, 60000), SettledChange::Verdict::Wait);
    // Back to what was read: nothing to take in.
    EXPECT_EQ(settle.look(noted, noted, 61000), SettledChange::Verdict::Nothing);
}

std::vector<GenerationFolder> generations(int count, int firstSecond = 0) {
    std::vector<GenerationFolder> folders;
    for (int i = 0; i < count; ++i) {
        folders.push_back({generationStamp({2026, 12, 9, 10, 0, firstSecond + i}),
                           {u"pw_set1.dat", u"PW_SET2.DAT"}});
    }
    return folders;
}

TEST(BackupGenerations, TheLastTenStayAndOnlyKavosOwnOlderOnesGo) {
    EXPECT_EQ(generationStamp({2026, 1, 2, 3, 4, 5}), u"20260102-030405");
    EXPECT_TRUE(generationsToRemove(generations(10), kNames).empty());

    std::vector<GenerationFolder> folders = generations(11, 1);
    // Out of order on disk, and with things that are not KAVO's beside them.
    std::swap(folders[0], folders[7]);
    folders.push_back({u"20200101-000000", {u"pw_set1.dat", u"notes.txt"}}); // the user's file
    folders.push_back({u"old copies", {u"pw_set1.dat"}});
    folders.push_back({u"2020-01-01", {}});
    folders.push_back({u"20200101-000000-01", {}});
    EXPECT_EQ(generationsToRemove(folders, kNames),
              std::vector<std::u16string>{u"20261209-100001"});

    // Two saves in one second: the numbered one is the newer; only the oldest beyond ten go.
    std::vector<GenerationFolder> same = generations(10, 30);
    same.push_back({u"20261209-100029-2", {u"pw_set1.dat"}});
    same.push_back({u"20261209-100029", {u"pw_set1.dat"}});
    EXPECT_EQ(generationsToRemove(same, kNames),
              (std::vector<std::u16string>{u"20261209-100029", u"20261209-100029-2"}));
}

TEST(BackupGenerations, ANewNameNeverTakesAnExistingFolder) {
    const std::vector<std::u16string> none;
    EXPECT_EQ(newGenerationName(u"20261209-100000", none), u"20261209-100000");
    const std::vector<std::u16string> taken{u"20261209-100000", u"20261209-100000-2"};
    EXPECT_EQ(newGenerationName(u"20261209-100000", taken), u"20261209-100000-3");
    EXPECT_TRUE(isGenerationName(u"20261209-100000-3"));
    EXPECT_FALSE(isGenerationName(u"20261209-10000"));
    EXPECT_FALSE(isGenerationName(u"20261209_100000"));
}

TEST(ConflictCopies, SyncClientsCopiesAreNamedAndKavosOwnFilesAreNot) {
    for (const char16_t* copy :
         {u"pw_set1-DESKTOP-PC.dat", u"pw_set2-laptop.dat",
          u"pw_set1 (Taro's conflicted copy 2026-12-09).dat", u"PW_SET2(1).DAT",
          u"pw_set1.sync-conflict-20261209-101010-ABCDEF.dat", u"pw_set2.dat.~tmp1"}) {
        SCOPED_TRACE(std::string(copy, copy + std::char_traits<char16_t>::length(copy)));
        EXPECT_TRUE(isConflictCopyName(copy, kNames));
    }
    for (const char16_t* other :
         {u"pw_set1.dat", u"pw_set2.dat", u"pw_set3.dat", u"pw_set3-PC.dat",
          u"pw_set1.dat.as-found-20261209-100000.bak", u"pw_set1.dat.kavo-unsaved",
          u"pw_set1.dat.kavo-1a-2b.new", u"pw_set1-.dat", u"pw_set1().dat", u"pw_set10.dat",
          u"KAVO-export.csv"}) {
        SCOPED_TRACE(std::string(other, other + std::char_traits<char16_t>::length(other)));
        EXPECT_FALSE(isConflictCopyName(other, kNames));
    }
    const std::vector<std::u16string> folder{u"pw_set2-PC.dat", u"pw_set1.dat", u"pw_set1-PC.dat"};
    EXPECT_EQ(conflictCopies(folder, kNames),
              (std::vector<std::u16string>{u"pw_set1-PC.dat", u"pw_set2-PC.dat"}));
}

TEST(ConflictCopies, ThePasswordFileOfAPickedListIsNamedTheSameWay) {
    const auto partner = [](std::u16string_view name) {
        return partnerFileName(name, u"pw_set1.dat", u"pw_set2.dat");
    };
    EXPECT_EQ(partner(u"pw_set1.dat"), u"pw_set2.dat");
    EXPECT_EQ(partner(u"pw_set1-PC.dat"), u"pw_set2-PC.dat");
    EXPECT_EQ(partner(u"PW_SET1.dat.other-20261209-100000.bak"),
              u"pw_set2.dat.other-20261209-100000.bak");
    EXPECT_EQ(partner(u"list.dat"), std::nullopt);
}

TEST(MergePlan, NewDifferingAndSameEntriesAreCountedAndOnlyTickedOnesReplaceTheirRows) {
    MemoryTable here;
    here.table.appendEntries(std::vector<Entry>{testEntry(u"Mail", u"B", u"taro", u"p1"),
                                                testEntry(u"Bank", u"W", u"taro", u"p2"),
                                                testEntry(u"Shop", u"B", u"t", u"p3")});
    const std::vector<OtherEntry> theirs{
        {testEntry(u"Mail", u"B", u"taro", u"p1"), false},  // same
        {testEntry(u"Bank", u"W", u"taro", u"new"), false}, // other password
        {testEntry(u"Shop", u"T", u"t", u"p3"), false},     // other type
        {testEntry(u"News", u"B", u"taro", u"p4"), false},  // new
        {testEntry(u"News", u"B", u"taro", u"p4"), false},  // repeated exactly: once
        {testEntry(u"News", u"B", u"taro", u"p5"), false},  // another version of a new one
        {testEntry(u"Mail", u"B", u"jiro", u""), true},     // unreadable password
        {testEntry(u"Game", u"B", u"taro", u"p6"), false},  // new, beyond the room
    };
    std::vector<Entry> rows;
    for (int i = 0; i < here.table.rowCount(); ++i) {
        rows.push_back(*here.table.entryAt(i));
    }
    const MergePlan plan = planMerge(rows, theirs, 1);
    EXPECT_EQ(plan.same, 1);
    ASSERT_EQ(plan.differing.size(), 2u);
    EXPECT_EQ(plan.differing[0].row, 1);
    EXPECT_EQ(plan.differing[1].row, 2);
    EXPECT_EQ(plan.added, std::vector<Entry>{testEntry(u"News", u"B", u"taro", u"p4")});
    EXPECT_EQ(plan.repeated, 1);
    EXPECT_EQ(plan.unreadable, 1);
    EXPECT_EQ(plan.beyondRoom, 1);
    EXPECT_EQ(differingLineText(plan.differing[1], rows[2]), u"Shop ／ t（動作が違う：B → T）");

    const std::vector<int> ticked{1, 7}; // 7 is no line of the preview
    applyMerge(here.table, plan, ticked);
    EXPECT_TRUE(here.contents.dirty);
    ASSERT_EQ(here.table.rowCount(), 4);
    EXPECT_EQ(*here.table.entryAt(1), rows[1]); // not ticked: stays
    EXPECT_EQ(*here.table.entryAt(2), testEntry(u"Shop", u"T", u"t", u"p3"));
    EXPECT_EQ(*here.table.entryAt(3), testEntry(u"News", u"B", u"taro", u"p4"));
}

} // namespace
} // namespace kavo
