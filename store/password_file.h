// The password file pw_set2.dat: a FF FE mark, then 1001 scrambled 128-byte records, the master
// password first and the 1000 password slots after it. Record text is in the ANSI code page.
#pragma once

#include "store/password_record.h"
#include "store/password_slots.h"
#include "store/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavo {

constexpr std::size_t kRecordCount = 1 + kSlotCount; // master password, then the slots
constexpr std::size_t kPasswordFileBytes = 2 + kRecordCount * kRecordBytes; // 128,130
// Records after the 1001st are ignored, so a somewhat longer file is still read; one this large
// is no password file and is not read at all.
constexpr std::size_t kMaxPasswordFileBytes = 1024 * 1024;
// A record's text ends at its first 0 byte, which always fits.
constexpr std::size_t kRecordTextBytes = kRecordBytes - 1;
// The only plain bytes besides the terminating 0 that survive scrambling and back.
constexpr std::uint8_t kFirstStorableByte = 32;
constexpr std::uint8_t kLastStorableByte = 158;

PasswordRecord scrambleRecord(const PasswordRecord& plain);
PasswordRecord unscrambleRecord(const PasswordRecord& stored);

// The thread's ANSI code page, provided by the platform (WideCharToMultiByte/MultiByteToWideChar
// in the shell). nullopt when the code page cannot convert the text at all, which is never the
// same as an empty text.
class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    virtual std::optional<std::string> toAnsi(std::u16string_view text) const = 0; // no terminator
    virtual std::optional<std::u16string> fromAnsi(std::string_view bytes) const = 0;
};

enum class PasswordFit { Storable, UnstorableCharacter, TooLong };

// Whether a text can be kept in a record exactly: its ANSI form must convert back to the very
// same text (a character the code page lacks becomes its default character), hold only
// storable bytes, and fit a record (at most 127 bytes).
PasswordFit passwordFit(std::u16string_view text, const AnsiCodec& codec);

inline bool isStorablePassword(std::u16string_view text, const AnsiCodec& codec) {
    return passwordFit(text, codec) == PasswordFit::Storable;
}

// A record as the file held it and the text it was read as. Written back unchanged while the
// text is unchanged: the conversion to text and back cannot reproduce every byte a record holds.
struct LoadedRecord {
    PasswordRecord stored;
    std::u16string text;
};

// The master password and the record it was loaded from, if any.
struct MasterPassword {
    std::u16string text; // empty: none is set, unless unknown
    std::optional<LoadedRecord> loaded;
    // The password file is there but its master password could not be read (no mark, too large,
    // held, cut before the record, or a record the code page cannot convert). Nothing typed can
    // match it, and it is never taken for "none set", which would open the lock for anything.
    bool unknown = false;
};

// Whether the password file may be written: an unknown master password with no record to write
// back would be saved as none set.
inline bool canWritePasswordFile(const MasterPassword& master) {
    return !master.unknown || master.loaded.has_value();
}

// The whole file. A slot or master password that still has the record it was loaded from is
// written as that record; any other text is converted, and when its ANSI form is too long it
// loses trailing characters until it fits, so every record keeps its terminating 0 byte.
Bytes passwordFileBytes(const MasterPassword& master, const PasswordSlots& slots,
                        const AnsiCodec& codec);

enum class PasswordFileStatus { Ok, BadMark };

// What a read of the password file could not keep as it was.
struct PasswordLoadLosses {
    int missingRecords = 0;    // the file ends before them
    int damagedRecords = 0;    // cut by the end of the file, or without their terminating 0 byte
    int unreadableRecords = 0; // the code page cannot convert them (the master password included)
    bool masterUnreadable = false;

    bool any() const { return missingRecords > 0 || damagedRecords > 0 || unreadableRecords > 0; }
};

struct PasswordFileRead {
    PasswordFileStatus status = PasswordFileStatus::Ok;
    PasswordLoadLosses losses;
};

// Fills the master password (at most 127 units) and the slots from the bytes; both are emptied
// first. Without the mark, or without a master password record, the master password is unknown.
// Records after the 1001st are ignored; a short last record ends where the file ends; a record with
// no 0 byte uses all 128 bytes. Each record that holds its terminating 0 byte is kept beside its
// text for writing back; one the code page cannot read is kept as unreadable.
PasswordFileRead readPasswordFile(std::span<const std::uint8_t> bytes, const AnsiCodec& codec,
                                  MasterPassword& master, PasswordSlots& slots);

} // namespace kavo
