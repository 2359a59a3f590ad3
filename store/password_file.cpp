#include "store/password_file.h"

#include <algorithm>

namespace kavo {

namespace {

// A permutation of 1 to 16; byte i of a record uses entry i mod 16.
constexpr std::array<std::uint8_t, 16> kScrambleKey{11, 5, 14, 2, 8,  16, 3,  12,
                                                    1,  9, 15, 6, 13, 4,  10, 7};
constexpr std::uint8_t kByteMax = 0xFF;
constexpr std::uint8_t kScrambleBase = 31;
constexpr std::array<std::uint8_t, 2> kFileMark{0xFF, 0xFE};

std::uint8_t keyAt(std::size_t i) {
    return kScrambleKey[i % kScrambleKey.size()];
}

bool isStorableByte(unsigned char byte) {
    return byte >= kFirstStorableByte && byte <= kLastStorableByte;
}

// The ANSI form of a text cut to what a record can hold: whole characters are dropped from the
// end until it fits, never half a surrogate pair. The longest prefix that fits is searched by
// halves, since the form only grows with the prefix.
// A text the code page cannot convert at all counts as too long: it never fits.
std::size_t ansiSize(std::u16string_view text, const AnsiCodec& codec) {
    const std::optional<std::string> ansi = codec.toAnsi(text);
    return ansi ? ansi->size() : kRecordBytes;
}

std::string fittingAnsi(std::u16string_view text, const AnsiCodec& codec) {
    text = slotText(text);
    std::optional<std::string> ansi = codec.toAnsi(text);
    if (ansi && ansi->size() <= kRecordTextBytes) {
        return *ansi;
    }
    const auto prefix = [&](std::size_t units) { return cutToUnits(text, units); };
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (ansiSize(prefix(middle), codec) <= kRecordTextBytes) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return codec.toAnsi(prefix(fits)).value_or(std::string());
}

PasswordRecord plainRecord(std::u16string_view text, const AnsiCodec& codec) {
    PasswordRecord record{};
    const std::string ansi = fittingAnsi(text, codec);
    // A codec that still gives too many bytes for empty text would otherwise overrun the record.
    const std::size_t length = std::min(ansi.size(), kRecordTextBytes);
    std::transform(ansi.begin(), ansi.begin() + static_cast<std::ptrdiff_t>(length), record.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return record;
}

std::optional<std::u16string> recordText(const PasswordRecord& plain, const AnsiCodec& codec) {
    const auto end = std::find(plain.begin(), plain.end(), std::uint8_t{0});
    const std::string ansi(plain.begin(), end);
    const std::optional<std::u16string> text = codec.fromAnsi(ansi);
    if (!text) {
        return std::nullopt;
    }
    return std::u16string(slotText(*text));
}

bool hasTerminator(const PasswordRecord& plain) {
    return std::find(plain.begin(), plain.end(), std::uint8_t{0}) != plain.end();
}

// The stored form of a record that ends where the file ends: the missing bytes read as 0, so they
// are stored as the scrambled form of 0.
PasswordRecord completedRecord(std::span<const std::uint8_t> stored) {
    PasswordRecord record = scrambleRecord(PasswordRecord{});
    std::copy(stored.begin(), stored.end(), record.begin());
    return record;
}

// An unreadable record kept for writing back must still end in its 0 byte: the last byte becomes
// the stored form of 0.
PasswordRecord terminatedRecord(const PasswordRecord& stored) {
    PasswordRecord record = stored;
    record.back() = scrambleRecord(PasswordRecord{}).back();
    return record;
}

PasswordRecord storedRecordFor(std::u16string_view text, const AnsiCodec& codec) {
    return scrambleRecord(plainRecord(text, codec));
}

// Puts a record at its place in the file: index 0 is the master password, k + 1 slot k.
void placeRecord(Bytes& file, std::size_t index, const PasswordRecord& stored) {
    std::copy(stored.begin(), stored.end(),
              file.begin() + static_cast<std::ptrdiff_t>(kFileMark.size() + index * kRecordBytes));
}

} // namespace

PasswordRecord scrambleRecord(const PasswordRecord& plain) {
    PasswordRecord stored{};
    for (std::size_t i = 0; i < kRecordBytes; ++i) {
        const std::uint8_t p = plain[i];
        const auto spread = static_cast<std::uint8_t>(p == 0 ? 0 : 2 * (p - kScrambleBase));
        stored[i] =
            static_cast<std::uint8_t>(kByteMax - static_cast<std::uint8_t>(keyAt(i) + spread));
    }
    return stored;
}

PasswordRecord unscrambleRecord(const PasswordRecord& stored) {
    PasswordRecord plain{};
    for (std::size_t i = 0; i < kRecordBytes; ++i) {
        const auto spread = static_cast<std::uint8_t>(kByteMax - stored[i] - keyAt(i));
        plain[i] = static_cast<std::uint8_t>(spread == 0 ? 0 : spread / 2 + kScrambleBase);
    }
    return plain;
}

PasswordFit passwordFit(std::u16string_view text, const AnsiCodec& codec) {
    const std::optional<std::string> ansi = codec.toAnsi(text);
    if (!ansi) {
        return PasswordFit::UnstorableCharacter;
    }
    const bool storableBytes = std::all_of(ansi->begin(), ansi->end(), [](char c) {
        return isStorableByte(static_cast<unsigned char>(c));
    });
    if (!storableBytes || codec.fromAnsi(*ansi) != text) {
        return PasswordFit::UnstorableCharacter;
    }
    return ansi->size() <= kRecordTextBytes ? PasswordFit::Storable : PasswordFit::TooLong;
}

Bytes passwordFileBytes(const MasterPassword& master, const PasswordSlots& slots,
                        const AnsiCodec& codec) {
    // Most of the 1000 slots are empty, and an empty record is always the same: start from a
    // file of empty records and put in the others.
    static const Bytes kEmptyFile = [] {
        Bytes file(kFileMark.begin(), kFileMark.end());
        const PasswordRecord empty = scrambleRecord(PasswordRecord{});
        for (std::size_t index = 0; index < kRecordCount; ++index) {
            file.insert(file.end(), empty.begin(), empty.end());
        }
        return file;
    }();
    Bytes out = kEmptyFile;
    if (master.loaded && master.loaded->text == master.text) {
        placeRecord(out, 0, master.loaded->stored);
    } else if (!master.text.empty()) {
        placeRecord(out, 0, storedRecordFor(master.text, codec));
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto index = static_cast<std::size_t>(slot) + 1;
        if (const std::optional<PasswordRecord>& loaded = slots.loadedRecord(slot)) {
            placeRecord(out, index, *loaded);
        } else if (!slots.at(slot).empty()) {
            placeRecord(out, index, storedRecordFor(slots.at(slot), codec));
        }
    }
    return out;
}

PasswordFileRead readPasswordFile(std::span<const std::uint8_t> bytes, const AnsiCodec& codec,
                                  MasterPassword& master, PasswordSlots& slots) {
    master = MasterPassword{};
    slots.clearAll();
    PasswordFileRead read;
    if (!hasTextMark(bytes)) {
        read.status = PasswordFileStatus::BadMark;
        master.unknown = true;
        return read;
    }
    PasswordLoadLosses& losses = read.losses;
    const std::span<const std::uint8_t> records = bytes.subspan(kFileMark.size());
    for (std::size_t index = 0; index < kRecordCount; ++index) {
        const std::size_t offset = index * kRecordBytes;
        if (offset >= records.size()) {
            losses.missingRecords = static_cast<int>(kRecordCount - index);
            if (index == 0) {
                losses.masterUnreadable = true;
                master.unknown = true;
            }
            break;
        }
        const std::size_t length = std::min(kRecordBytes, records.size() - offset);
        PasswordRecord stored = completedRecord(records.subspan(offset, length));
        PasswordRecord plain = unscrambleRecord(stored);
        std::optional<std::u16string> text = recordText(plain, codec);
        // A record without its terminating 0 byte is never written back as it was.
        bool keep = hasTerminator(plain);
        if (!keep || length < kRecordBytes) {
            ++losses.damagedRecords;
        }
        if (!text && !keep) {
            // Unreadable in all 128 bytes: kept, it must end in its 0 byte, and then it has to
            // be read as it will be written.
            stored = terminatedRecord(stored);
            plain = unscrambleRecord(stored);
            text = recordText(plain, codec);
            keep = true;
        }
        const int slot = static_cast<int>(index) - 1;
        // A master password cut by the end of the file before its 0 byte is only the start of
        // it: typing that start must not unlock.
        const auto cutAt = plain.begin() + static_cast<std::ptrdiff_t>(length);
        if (index == 0 && std::find(plain.begin(), cutAt, std::uint8_t{0}) == cutAt &&
            length < kRecordBytes) {
            losses.masterUnreadable = true;
            master.unknown = true;
            continue;
        }
        if (!text) {
            ++losses.unreadableRecords;
            if (index == 0) {
                losses.masterUnreadable = true;
                master.unknown = true;
                master.loaded = LoadedRecord{stored, master.text};
            } else {
                slots.setUnreadable(slot, stored);
            }
        } else if (index == 0) {
            master.text = *text;
            if (keep) {
                master.loaded = LoadedRecord{stored, *text};
            }
        } else if (keep) {
            slots.setLoaded(slot, *text, stored);
        } else {
            slots.set(slot, *text);
        }
    }
    return read;
}

} // namespace kavo
