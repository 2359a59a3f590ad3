// The password file reader and writer on any bytes: the file written is always whole, every
// record keeps its terminating 0 byte, every password read from a proper record comes back
// unchanged, and what is written once is written again byte for byte. The first byte picks the
// code page: a stand-in, or the real conversions of Shift_JIS (932) and UTF-8 (65001), which
// refuse bytes they cannot read.
#include "store/password_file.h"
#include "tests/core/test_codecs.h"

#include <iconv.h>

#include <algorithm>
#include <cstdlib>

namespace {

class IconvCodec final : public kavo::AnsiCodec {
  public:
    explicit IconvCodec(const char* codePage)
        : toAnsi_(iconv_open(codePage, "UTF-16LE")), fromAnsi_(iconv_open("UTF-16LE", codePage)) {
        if (toAnsi_ == kFailed || fromAnsi_ == kFailed) {
            std::abort();
        }
    }
    std::optional<std::string> toAnsi(std::u16string_view text) const override {
        std::string in;
        for (const char16_t unit : text) {
            in.push_back(static_cast<char>(unit & 0xFF));
            in.push_back(static_cast<char>(unit >> 8));
        }
        return convert(toAnsi_, in);
    }
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override {
        const std::optional<std::string> out = convert(fromAnsi_, bytes);
        if (!out) {
            return std::nullopt;
        }
        std::u16string text;
        for (std::size_t i = 0; i + 1 < out->size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>((*out)[i]) |
                                                 static_cast<unsigned char>((*out)[i + 1]) << 8));
        }
        return text;
    }

  private:
    static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

    static std::optional<std::string> convert(iconv_t cd, std::string_view in) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string input(in);
        std::string out(input.size() * 4 + 4, '\0');
        char* from = input.data();
        std::size_t fromLeft = input.size();
        char* to = out.data();
        std::size_t toLeft = out.size();
        if (iconv(cd, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd, nullptr, nullptr, &to, &toLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        out.resize(out.size() - toLeft);
        return out;
    }

    iconv_t toAnsi_;
    iconv_t fromAnsi_;
};

const kavo::AnsiCodec& codecFor(std::uint8_t pick) {
    static const kavo::DoubleByteCodec standIn;
    static const IconvCodec shiftJis("CP932");
    static const IconvCodec utf8("UTF-8");
    switch (pick % 3) {
    case 0:
        return standIn;
    case 1:
        return shiftJis;
    default:
        return utf8;
    }
}

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
    if (size == 0 || size > kavo::kMaxPasswordFileBytes) {
        return 0; // refused before it is read
    }
    const kavo::AnsiCodec& codec = codecFor(data[0]);
    ++data;
    --size;
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
    const kavo::Bytes emptyFile =
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
