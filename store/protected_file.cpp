#include "store/protected_file.h"

#include "store/secure_wipe.h"
#include "store/utf16_text.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'K', 'A', 'V', 'O', 'E', 'N', 'C', '1'};

constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kProtectionAt = 12;
constexpr std::size_t kKindAt = 16;
constexpr std::size_t kIterationsAt = 20;
constexpr std::size_t kSaltAt = 24;
constexpr std::size_t kPairIdAt = 40;
constexpr std::size_t kNonceAt = 56;
constexpr std::size_t kLengthAt = 68;

// The Windows protection's blob is as long for the same input every time; should it not be, a
// few more tries find the length that the header, bound to the blob, has to name.
constexpr int kBlobLengthTries = 4;

// Far beyond either data file, so the length always fits its field.
constexpr std::size_t kMaxPayloadBytes = 64 * 1024 * 1024;

std::uint32_t readNumber(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void writeNumber(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

template <std::size_t N>
std::array<std::uint8_t, N> readField(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::array<std::uint8_t, N> field{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), N, field.begin());
    return field;
}

template <std::size_t N>
bool allZero(const std::array<std::uint8_t, N>& field) {
    return std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0; });
}

std::size_t tagBytes(Protection protection) {
    return protection == Protection::MasterPassword ? kGcmTagBytes : 0;
}

// A header whose fields this version can act on, before any length is looked at.
ContainerStatus checkFields(const ContainerHeader& header, ContainerKind expected) {
    if (header.version != kContainerVersion) {
        return ContainerStatus::BadVersion;
    }
    if (header.protection == Protection::MasterPassword) {
        if (header.iterations < kMinIterations || header.iterations > kMaxIterations) {
            return ContainerStatus::BadIterations;
        }
    } else if (header.protection == Protection::WindowsUser) {
        // Fields that mean nothing here are zero, so they cannot carry anything either.
        if (header.iterations != 0 || !allZero(header.salt) || !allZero(header.nonce)) {
            return ContainerStatus::BadProtection;
        }
    } else {
        return ContainerStatus::BadProtection;
    }
    if (header.kind != expected) {
        return ContainerStatus::BadKind;
    }
    return ContainerStatus::Ok;
}

} // namespace

void ContainerKey::wipe() {
    wipeMemory(bytes.data(), bytes.size());
}

bool isContainer(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

ContainerPeek peekContainer(std::span<const std::uint8_t> bytes) {
    ContainerPeek peek;
    peek.container = isContainer(bytes);
    if (peek.container && bytes.size() >= kContainerHeaderBytes) {
        peek.pairId = readField<kPairIdBytes>(bytes, kPairIdAt);
        peek.protection = static_cast<Protection>(readNumber(bytes, kProtectionAt));
    }
    return peek;
}

HeaderRead readContainerHeader(std::span<const std::uint8_t> bytes, ContainerKind expected) {
    HeaderRead read;
    if (!isContainer(bytes)) {
        read.status = ContainerStatus::NotContainer;
        return read;
    }
    if (bytes.size() < kContainerHeaderBytes) {
        read.status = ContainerStatus::BadLength;
        return read;
    }
    ContainerHeader& header = read.header;
    header.version = readNumber(bytes, kVersionAt);
    header.protection = static_cast<Protection>(readNumber(bytes, kProtectionAt));
    header.kind = static_cast<ContainerKind>(readNumber(bytes, kKindAt));
    header.iterations = readNumber(bytes, kIterationsAt);
    header.salt = readField<kSaltBytes>(bytes, kSaltAt);
    header.pairId = readField<kPairIdBytes>(bytes, kPairIdAt);
    header.nonce = readField<kNonceBytes>(bytes, kNonceAt);
    header.payloadBytes = readNumber(bytes, kLengthAt);
    read.status = checkFields(header, expected);
    if (read.status == ContainerStatus::Ok) {
        const std::size_t frame = kContainerHeaderBytes + tagBytes(header.protection);
        if (bytes.size() < frame || bytes.size() - frame != std::size_t{header.payloadBytes}) {
            read.status = ContainerStatus::BadLength;
        }
    }
    return read;
}

std::array<std::uint8_t, kContainerHeaderBytes> headerBytes(const ContainerHeader& header) {
    std::array<std::uint8_t, kContainerHeaderBytes> bytes{};
    std::copy(kMagic.begin(), kMagic.end(), bytes.begin());
    writeNumber(bytes, kVersionAt, header.version);
    writeNumber(bytes, kProtectionAt, static_cast<std::uint32_t>(header.protection));
    writeNumber(bytes, kKindAt, static_cast<std::uint32_t>(header.kind));
    writeNumber(bytes, kIterationsAt, header.iterations);
    std::copy(header.salt.begin(), header.salt.end(), bytes.begin() + kSaltAt);
    std::copy(header.pairId.begin(), header.pairId.end(), bytes.begin() + kPairIdAt);
    std::copy(header.nonce.begin(), header.nonce.end(), bytes.begin() + kNonceAt);
    writeNumber(bytes, kLengthAt, header.payloadBytes);
    return bytes;
}

ContainerOpen openContainer(ContainerCrypto& crypto, std::span<const std::uint8_t> bytes,
                            ContainerKind expected, const ContainerKey* key) {
    ContainerOpen opened;
    const HeaderRead read = readContainerHeader(bytes, expected);
    opened.status = read.status;
    opened.header = read.header;
    if (read.status != ContainerStatus::Ok) {
        return opened;
    }
    const auto header = bytes.first(kContainerHeaderBytes);
    const auto payload = bytes.subspan(kContainerHeaderBytes, read.header.payloadBytes);
    bool done = false;
    if (read.header.protection == Protection::MasterPassword) {
        if (key == nullptr || key->salt != read.header.salt ||
            key->iterations != read.header.iterations) {
            opened.status = ContainerStatus::NotOpened;
            return opened;
        }
        const GcmTag tag =
            readField<kGcmTagBytes>(bytes, kContainerHeaderBytes + read.header.payloadBytes);
        done = crypto.open(*key, read.header.nonce, header, payload, tag, opened.payload);
    } else {
        done = crypto.unprotectForUser(payload, header, opened.payload);
    }
    if (!done) {
        crypto.wipe(opened.payload);
        opened.payload.clear();
        opened.status = ContainerStatus::NotOpened;
    }
    return opened;
}

std::optional<Bytes> sealContainer(ContainerCrypto& crypto, std::span<const std::uint8_t> plain,
                                   ContainerKind kind, Protection protection,
                                   const ContainerKey* key, const PairId& pairId) {
    if (plain.size() > kMaxPayloadBytes) {
        return std::nullopt;
    }
    ContainerHeader header;
    header.protection = protection;
    header.kind = kind;
    header.pairId = pairId;
    Bytes sealed;
    if (protection == Protection::MasterPassword) {
        if (key == nullptr || !crypto.random(header.nonce)) {
            return std::nullopt;
        }
        header.iterations = key->iterations;
        header.salt = key->salt;
        header.payloadBytes = static_cast<std::uint32_t>(plain.size());
        const auto bound = headerBytes(header);
        GcmTag tag{};
        Bytes cipher;
        if (!crypto.seal(*key, header.nonce, bound, plain, cipher, tag) ||
            cipher.size() != plain.size()) {
            return std::nullopt;
        }
        sealed.assign(bound.begin(), bound.end());
        sealed.insert(sealed.end(), cipher.begin(), cipher.end());
        sealed.insert(sealed.end(), tag.begin(), tag.end());
        return sealed;
    }
    if (protection != Protection::WindowsUser) {
        return std::nullopt;
    }
    // The header names the blob's length and is the blob's entropy: the length is learnt from a
    // first protection, then the blob is made again with the header that names it.
    std::size_t guess = plain.size();
    for (int attempt = 0; attempt < kBlobLengthTries; ++attempt) {
        header.payloadBytes = static_cast<std::uint32_t>(guess);
        const auto bound = headerBytes(header);
        Bytes blob;
        if (!crypto.protectForUser(plain, bound, blob) || blob.size() > kMaxPayloadBytes) {
            return std::nullopt;
        }
        if (blob.size() == guess) {
            sealed.assign(bound.begin(), bound.end());
            sealed.insert(sealed.end(), blob.begin(), blob.end());
            return sealed;
        }
        guess = blob.size();
    }
    return std::nullopt;
}

bool sameSave(const ContainerHeader& list, const ContainerHeader& passwords) {
    if (list.protection != passwords.protection || list.pairId != passwords.pairId) {
        return false;
    }
    return list.protection != Protection::MasterPassword ||
           (list.salt == passwords.salt && list.iterations == passwords.iterations);
}

Bytes passwordKeyBytes(std::u16string_view password) {
    Bytes bytes;
    bytes.reserve(password.size() * 3);
    appendUtf8(bytes, password);
    return bytes;
}

} // namespace kavo
