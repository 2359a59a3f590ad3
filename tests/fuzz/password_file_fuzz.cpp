// The password file reader and writer on any bytes: the file written is always whole, every
// record keeps its terminating 0 byte, every password read from a proper record comes back
// unchanged, and what is written once is written again byte for byte.
#include "store/password_file.h"
#include "tests/core/test_codecs.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t kMarkBytes = 2;

kavo::PasswordRecord recordAt(const kavo::Bytes& file, std::size_t index) {
    kavo::PasswordRecord stored{};
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(kMarkBytes + index * kavo::kRecordBytes),
                kavo::kRecordBytes, stored.begin());
    return stored;
}

bool endsWithZero(const kavo::PasswordRecord& stored) {
    const kavo::PasswordRecord plain = kavo::unscrambleRecord(stored);
    return std::find(plain.begin(), plain.end(), 0) != plain.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kavo::kMaxPasswordFileBytes) {
        return 0; // refused before it is read
    }
    const kavo::DoubleByteCodec codec;
    kavo::MasterPassword master;
    kavo::PasswordSlots slots;
    if (kavo::readPasswordFile({data, size}, codec, master, slots).status !=
        kavo::PasswordFileStatus::Ok) {
        return 0;
    }
    const kavo::Bytes written = kavo::passwordFileBytes(master, slots, codec);
    if (written.size() != kavo::kPasswordFileBytes) {
        std::abort();
    }
    // Records the input did not have are empty ones; only the others need reading again, which
    // keeps each run short.
    const std::size_t present = std::min(
        kavo::kRecordCount, (size - kMarkBytes + kavo::kRecordBytes - 1) / kavo::kRecordBytes);
    for (std::size_t index = 0; index < present; ++index) {
        if (!endsWithZero(recordAt(written, index))) {
            std::abort();
        }
    }
    static const kavo::Bytes emptyFile =
        kavo::passwordFileBytes(kavo::MasterPassword{}, kavo::PasswordSlots{}, codec);
    const auto tail = static_cast<std::ptrdiff_t>(kMarkBytes + present * kavo::kRecordBytes);
    if (!std::equal(written.begin() + tail, written.end(), emptyFile.begin() + tail)) {
        std::abort();
    }
    const kavo::Bytes head(
        written.begin(),
        written.begin() + static_cast<std::ptrdiff_t>(kMarkBytes + present * kavo::kRecordBytes));
    kavo::MasterPassword masterAgain;
    kavo::PasswordSlots slotsAgain;
    if (kavo::readPasswordFile(head, codec, masterAgain, slotsAgain).status !=
            kavo::PasswordFileStatus::Ok ||
        (master.loaded && masterAgain.text != master.text)) {
        std::abort();
    }
    // A record without its 0 byte, or cut short, is written anew and may read differently.
    for (int slot = 0; slot + 1 < static_cast<int>(present); ++slot) {
        if (slots.loadedRecord(slot) && slotsAgain.at(slot) != slots.at(slot)) {
            std::abort();
        }
    }
    if (kavo::passwordFileBytes(masterAgain, slotsAgain, codec) != written) {
        std::abort();
    }
    return 0;
}
