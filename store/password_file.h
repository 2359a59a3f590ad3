// The password file pw_set2.dat: a FF FE mark, then 1001 scrambled 128-byte records, the master
// password first and the 1000 password slots after it. Record text is in the ANSI code page.
#pragma once

#include "store/password_slots.h"
#include "store/text_lines.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kavo {

constexpr std::size_t kRecordBytes = 128;
constexpr std::size_t kRecordCount = 1 + kSlotCount; // master password, then the slots
constexpr std::size_t kPasswordFileBytes = 2 + kRecordCount * kRecordBytes; // 128,130
// A record's text ends at its first 0 byte, which always fits.
constexpr std::size_t kRecordTextBytes = kRecordBytes - 1;
// The only plain bytes besides the terminating 0 that survive scrambling and back.
constexpr std::uint8_t kFirstStorableByte = 32;
constexpr std::uint8_t kLastStorableByte = 158;

using PasswordRecord = std::array<std::uint8_t, kRecordBytes>;

PasswordRecord scrambleRecord(const PasswordRecord& plain);
PasswordRecord unscrambleRecord(const PasswordRecord& stored);

// The thread's ANSI code page, provided by the platform (WideCharToMultiByte/MultiByteToWideChar
// in the shell).
class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    virtual std::string toAnsi(std::u16string_view text) const = 0; // bytes, no terminator
    virtual std::u16string fromAnsi(std::string_view bytes) const = 0;
};

// True when the text's ANSI form fits a record (at most 127 bytes) and every byte is storable.
bool isStorablePassword(std::u16string_view text, const AnsiCodec& codec);

// The whole file. A text whose ANSI form is too long loses trailing characters until it fits,
// so every record keeps its terminating 0 byte.
Bytes passwordFileBytes(std::u16string_view masterPassword, const PasswordSlots& slots,
                        const AnsiCodec& codec);

enum class PasswordFileStatus { Ok, BadMark };

// Fills master (at most 127 units) and slots from the bytes; both are emptied first. Records
// after the 1001st are ignored; a short last record ends where the file ends; a record with no 0
// byte uses all 128 bytes.
PasswordFileStatus readPasswordFile(std::span<const std::uint8_t> bytes, const AnsiCodec& codec,
                                    std::u16string& master, PasswordSlots& slots);

} // namespace kavo
