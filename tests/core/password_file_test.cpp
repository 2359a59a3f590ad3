#include "store/code_page_flags.h"
#include "store/password_file.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <string>

namespace kavo {
namespace {

constexpr std::array<std::uint8_t, 16> kKey{11, 5, 14, 2, 8, 16, 3, 12, 1, 9, 15, 6, 13, 4, 10, 7};

PasswordRecord filled(std::uint8_t value) {
    PasswordRecord record{};
    record.fill(value);
    return record;
}

TEST(PasswordScramble, StorableBytesComeBackAtEveryPosition) {
    for (int value = kFirstStorableByte; value <= kLastStorableByte; ++value) {
        const PasswordRecord plain = filled(static_cast<std::uint8_t>(value));
        EXPECT_EQ(unscrambleRecord(scrambleRecord(plain)), plain) << "byte " << value;
    }
    EXPECT_EQ(unscrambleRecord(scrambleRecord(filled(0))), filled(0));
}

TEST(PasswordScramble, ZeroBytesAreNotStoredAsZero) {
    const PasswordRecord stored = scrambleRecord(filled(0));
    for (std::size_t i = 0; i < kRecordBytes; ++i) {
        EXPECT_EQ(stored[i], 255 - kKey[i % kKey.size()]) << "byte " << i;
    }
    // "A" at the start: 2 * (65 - 31) = 68, then 255 - (11 + 68).
    PasswordRecord plain{};
    plain[0] = 'A';
    EXPECT_EQ(scrambleRecord(plain)[0], 176);
}

TEST(PasswordStorable, RefusesWhatARecordCannotHold) {
    const Latin1Codec latin1;
    const DoubleByteCodec doubleByte;
    EXPECT_TRUE(isStorablePassword(u"", latin1));
    EXPECT_TRUE(isStorablePassword(u" ~Pass word!9", latin1));
    EXPECT_TRUE(isStorablePassword(std::u16string(127, u'a'), latin1));
    EXPECT_FALSE(isStorablePassword(std::u16string(128, u'a'), latin1));
    EXPECT_TRUE(isStorablePassword(u"\u009E", latin1));
    EXPECT_FALSE(isStorablePassword(u"\u009F", latin1));
    EXPECT_FALSE(isStorablePassword(u"tab\there", latin1));
    EXPECT_FALSE(isStorablePassword(u"\u00E9", latin1));     // 0xE9 is above the range
    EXPECT_FALSE(isStorablePassword(u"\u0101", latin1));     // no such character: "?"
    EXPECT_TRUE(isStorablePassword(u"\u3042", doubleByte));  // 81 42
    EXPECT_FALSE(isStorablePassword(u"\u30A0", doubleByte)); // trail byte A0
    EXPECT_TRUE(isStorablePassword(std::u16string(63, u'\u3042') + u"a", doubleByte));
    EXPECT_FALSE(isStorablePassword(std::u16string(64, u'\u3042'), doubleByte)); // 128 bytes
}

TEST(PasswordFile, EmptyStoreHasTheMarkAndScrambledZeroRecords) {
    const Latin1Codec codec;
    const PasswordSlots slots;
    const Bytes bytes = passwordFileBytes({u"", {}}, slots, codec);
    ASSERT_EQ(bytes.size(), kPasswordFileBytes);
    EXPECT_EQ(bytes.size(), 128130u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    for (std::size_t i = 2; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 255 - kKey[(i - 2) % kKey.size()]) << "offset " << i;
    }
}

TEST(PasswordFile, RecordsSitAtTheirOffsets) {
    const Latin1Codec codec;
    PasswordSlots slots;
    slots.set(0, u"first");
    slots.set(kSlotCount - 1, u"last");
    const Bytes bytes = passwordFileBytes({u"master", {}}, slots, codec);
    const auto recordAt = [&](std::size_t index) {
        PasswordRecord stored{};
        std::copy_n(bytes.begin() + 2 + static_cast<std::ptrdiff_t>(index * kRecordBytes),
                    kRecordBytes, stored.begin());
        const PasswordRecord plain = unscrambleRecord(stored);
        return std::string(plain.begin(), std::find(plain.begin(), plain.end(), 0));
    };
    EXPECT_EQ(recordAt(0), "master");
    EXPECT_EQ(recordAt(1), "first");
    EXPECT_EQ(recordAt(2), "");
    EXPECT_EQ(recordAt(kRecordCount - 1), "last");
}

// The text a slot comes back as after a save and a load.
std::u16string savedAndLoaded(std::u16string_view text, const AnsiCodec& codec) {
    PasswordSlots slots;
    slots.set(0, text);
    MasterPassword master;
    PasswordSlots loaded;
    EXPECT_EQ(
        readPasswordFile(passwordFileBytes({u"", {}}, slots, codec), codec, master, loaded).status,
        PasswordFileStatus::Ok);
    return loaded.at(0);
}

TEST(PasswordFile, OverlongAnsiFormLosesWholeTrailingCharacters) {
    const DoubleByteCodec doubleByte;
    const std::u16string wide(63, u'\u3042'); // 126 bytes
    EXPECT_EQ(savedAndLoaded(u"a" + wide, doubleByte), u"a" + wide);
    EXPECT_EQ(savedAndLoaded(u"ab" + wide, doubleByte), u"ab" + wide.substr(1));
    EXPECT_EQ(savedAndLoaded(std::u16string(127, u'\u3042'), doubleByte), wide);

    // Each half of a surrogate pair is two bytes here; the pair goes as a whole.
    const std::u16string ascii(124, u'a');
    EXPECT_EQ(savedAndLoaded(ascii + u"\U0001F600", doubleByte), ascii);
    EXPECT_EQ(savedAndLoaded(ascii + u"bc\u3042", doubleByte), ascii + u"bc");
}

TEST(PasswordFile, BadMarkLeavesEverythingEmpty) {
    const Latin1Codec codec;
    MasterPassword master{u"old", {}};
    PasswordSlots slots;
    slots.set(5, u"old");
    Bytes bytes = passwordFileBytes({u"m", {}}, slots, codec);
    bytes[1] = 0xFF;
    EXPECT_EQ(readPasswordFile(bytes, codec, master, slots).status, PasswordFileStatus::BadMark);
    EXPECT_EQ(master.text, u"");
    EXPECT_TRUE(master.unknown);
    EXPECT_FALSE(canWritePasswordFile(master)) << "it would be written as none set";
    EXPECT_EQ(slots.at(5), u"");
    EXPECT_EQ(readPasswordFile(Bytes{0xFF}, codec, master, slots).status,
              PasswordFileStatus::BadMark);
    EXPECT_EQ(readPasswordFile(Bytes{}, codec, master, slots).status, PasswordFileStatus::BadMark);
}

TEST(PasswordFile, ShortAndOddFilesReadWhatIsThere) {
    const Latin1Codec codec;
    PasswordSlots written;
    written.set(0, u"abcdefgh");
    written.set(1, u"second");
    const Bytes full = passwordFileBytes({u"master", {}}, written, codec);
    MasterPassword master;
    PasswordSlots slots;

    // Mark only, or cut inside the master password before its 0 byte: the master password is
    // unknown, not "master" nor a start of it.
    for (const std::size_t size : {std::size_t{2}, std::size_t{2 + 3}}) {
        EXPECT_EQ(readPasswordFile(std::span(full).first(size), codec, master, slots).status,
                  PasswordFileStatus::Ok);
        EXPECT_TRUE(master.unknown) << size;
        EXPECT_EQ(master.text, u"") << size;
    }

    // The file ends five bytes into slot 0's record: those bytes are its whole text, and the
    // load says what is missing.
    const std::size_t cut = 2 + kRecordBytes + 5;
    const PasswordFileRead shortRead =
        readPasswordFile(std::span(full).first(cut), codec, master, slots);
    EXPECT_EQ(shortRead.status, PasswordFileStatus::Ok);
    EXPECT_EQ(master.text, u"master");
    EXPECT_FALSE(master.unknown);
    EXPECT_EQ(slots.at(0), u"abcde");
    EXPECT_EQ(slots.at(1), u"");
    EXPECT_EQ(shortRead.losses.missingRecords, static_cast<int>(kRecordCount) - 2);
    EXPECT_EQ(shortRead.losses.damagedRecords, 1);
    EXPECT_FALSE(readPasswordFile(full, codec, master, slots).losses.any());

    // A record without a 0 byte keeps its first 127 units; a record past the 1001st is ignored.
    Bytes odd = full;
    const PasswordRecord noZero = scrambleRecord(filled('x'));
    std::copy(noZero.begin(), noZero.end(), odd.begin() + 2);
    const PasswordRecord extra = scrambleRecord(filled('y'));
    odd.insert(odd.end(), extra.begin(), extra.end());
    const PasswordFileRead oddRead = readPasswordFile(odd, codec, master, slots);
    EXPECT_EQ(oddRead.status, PasswordFileStatus::Ok);
    EXPECT_EQ(oddRead.losses.damagedRecords, 1);
    EXPECT_EQ(master.text, std::u16string(kSlotTextUnits, u'x'));
    const Bytes rewritten = passwordFileBytes(master, slots, codec);
    PasswordRecord storedMaster{};
    std::copy_n(rewritten.begin() + 2, kRecordBytes, storedMaster.begin());
    EXPECT_EQ(unscrambleRecord(storedMaster).back(), 0) << "written anew, ending in its 0 byte";
    EXPECT_EQ(slots.at(1), u"second");
    EXPECT_EQ(slots.at(kSlotCount - 1), u"");
}

// A file whose records hold bytes this program would never write: a double-byte character that
// the code page maps back to other bytes, and byte 31, which scrambling cannot store.
TEST(PasswordFile, PasswordsNobodyChangedAreWrittenBackByteForByteWhereverTheirRowsMove) {
    const DoubleByteCodec codec;
    PasswordSlots written;
    written.set(0, u"plain");
    Bytes file = passwordFileBytes({u"m", {}}, written, codec);
    const auto putPlain = [&](std::size_t record, std::vector<std::uint8_t> text) {
        PasswordRecord plain{};
        std::copy(text.begin(), text.end(), plain.begin());
        PasswordRecord stored = scrambleRecord(plain);
        // Byte 31 has no scrambled form of its own: the file holds the odd value next to 32's.
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == 31) {
                stored[i] = static_cast<std::uint8_t>(254 - kKey[i % kKey.size()]);
            }
        }
        std::copy(stored.begin(), stored.end(),
                  file.begin() + 2 + static_cast<std::ptrdiff_t>(record * kRecordBytes));
    };
    putPlain(0, {'M', 0x87, 0x90});        // the master password
    putPlain(2, {'a', 0x87, 0x90, 'b'});   // slot 1
    putPlain(3, {'a', 'b', 31, 'c', 'd'}); // slot 2

    MasterPassword master;
    PasswordSlots slots;
    ASSERT_EQ(readPasswordFile(file, codec, master, slots).status, PasswordFileStatus::Ok);
    EXPECT_EQ(slots.at(2), u"ab\x1F"
                           u"cd");
    EXPECT_EQ(passwordFileBytes(master, slots, codec), file);

    // Rows inserted and moved around carry their records along.
    slots.insertAt(0);
    slots.swap(2, 3);
    const std::vector<int> reversed{3, 2, 1, 0};
    slots.permute(reversed);
    PasswordSlots reordered;
    MasterPassword reread;
    ASSERT_EQ(
        readPasswordFile(passwordFileBytes(master, slots, codec), codec, reread, reordered).status,
        PasswordFileStatus::Ok);
    EXPECT_EQ(reordered.loadedRecord(0), slots.loadedRecord(0));
    EXPECT_EQ(reordered.at(0), u"a\x87\x90"
                               u"b");
    EXPECT_EQ(reordered.at(1), u"ab\x1F"
                               u"cd");
    EXPECT_EQ(reordered.at(2), u"plain");

    // A changed password, or master password, goes through the code page again.
    master.text = u"new";
    slots.set(1, u"ab\x1F"
                 u"cd");
    ASSERT_EQ(
        readPasswordFile(passwordFileBytes(master, slots, codec), codec, reread, reordered).status,
        PasswordFileStatus::Ok);
    EXPECT_EQ(reread.text, u"new");
    EXPECT_EQ(reordered.at(1), u"ab");
}

// A code page that refuses what it cannot convert, as UTF-8 does with bytes of another code page:
// the refusal is neither an empty password nor a lost record.
TEST(PasswordFile, RecordsTheCodePageCannotReadStayUnreadableAndAreWrittenBackAsTheyWere) {
    const Latin1Codec latin1;
    const AsciiOnlyCodec ascii;
    PasswordSlots written;
    written.set(0, u"caf\u0089"); // a byte of 128 to 158, which records keep
    written.set(1, u"plain");
    const Bytes file = passwordFileBytes({u"ma\u0090tre", {}}, written, latin1);

    MasterPassword master;
    PasswordSlots slots;
    const PasswordFileRead read = readPasswordFile(file, ascii, master, slots);
    EXPECT_EQ(read.losses.unreadableRecords, 2);
    EXPECT_TRUE(read.losses.masterUnreadable);
    EXPECT_TRUE(master.unknown); // never taken for none set, which would open the lock
    EXPECT_TRUE(canWritePasswordFile(master));
    EXPECT_TRUE(slots.isUnreadable(0));
    EXPECT_EQ(slots.at(0), u"");
    EXPECT_EQ(slots.at(1), u"plain");
    EXPECT_EQ(passwordFileBytes(master, slots, ascii), file);

    // Unreadable in all 128 bytes, without a 0 byte: kept, it ends in one, and it is read as
    // it will be written, so a second load finds the same.
    Bytes noZero = file;
    const PasswordRecord unreadable = scrambleRecord(filled(0x90));
    std::copy(unreadable.begin(), unreadable.end(), noZero.begin() + 2 + kRecordBytes);
    const PasswordFileRead damaged = readPasswordFile(noZero, ascii, master, slots);
    EXPECT_EQ(damaged.losses.damagedRecords, 1);
    const Bytes rewritten = passwordFileBytes(master, slots, ascii);
    PasswordRecord storedSlot{};
    std::copy_n(rewritten.begin() + 2 + kRecordBytes, kRecordBytes, storedSlot.begin());
    EXPECT_EQ(unscrambleRecord(storedSlot).back(), 0) << "kept, yet ending in its 0 byte";
    PasswordSlots again;
    readPasswordFile(rewritten, ascii, master, again);
    EXPECT_EQ(again.isUnreadable(0), slots.isUnreadable(0));
    EXPECT_EQ(passwordFileBytes(master, again, ascii), rewritten);

    slots.set(0, u"new");
    EXPECT_FALSE(slots.isUnreadable(0));
    EXPECT_EQ(passwordFit(u"\u00e9", ascii), PasswordFit::UnstorableCharacter);
}

TEST(ConversionFlags, UsualFlagsOnlyWhereTheCodePageTakesThem) {
    EXPECT_EQ(conversionFlagsFor(932), ConversionFlags::Usual);
    EXPECT_EQ(conversionFlagsFor(1252), ConversionFlags::Usual);
    EXPECT_EQ(conversionFlagsFor(65001), ConversionFlags::ErrorOnly);
    EXPECT_EQ(conversionFlagsFor(54936), ConversionFlags::ErrorOnly);
    for (const unsigned flagless : {42u, 50220u, 50229u, 57002u, 57011u, 65000u}) {
        EXPECT_EQ(conversionFlagsFor(flagless), ConversionFlags::None) << flagless;
    }
}

} // namespace
} // namespace kavo
