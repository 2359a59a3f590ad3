#include "store/pair_fingerprint.h"

#include <algorithm>
#include <string_view>

namespace kavo {

namespace {

constexpr std::string_view kContainerMagic = "KAVOENC1";
constexpr std::size_t kPairIdOffset = 40;

FileChange changeOf(const FileFingerprint& noted, const FileFingerprint& now) {
    if (noted.present != now.present) {
        return now.present ? FileChange::Appeared : FileChange::Vanished;
    }
    if (!now.present) {
        return FileChange::None;
    }
    if (noted.readable && !now.readable) {
        // Held by another program for the moment: its size and time stamp are all there is to go
        // by, and a save would fail on it anyway.
        const bool same = noted.size == now.size && noted.lastWrite == now.lastWrite;
        return same ? FileChange::None : FileChange::Changed;
    }
    const bool same = noted.readable == now.readable && noted.size == now.size &&
                      noted.hash == now.hash && noted.pairId == now.pairId;
    return same ? FileChange::None : FileChange::Changed;
}

} // namespace

std::uint64_t contentHash(std::span<const std::uint8_t> bytes) {
    // FNV-1a over the bytes, with the length folded in at the end.
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    hash ^= bytes.size();
    hash *= 1099511628211ull;
    return hash;
}

std::optional<PairId> containerPairId(std::span<const std::uint8_t> bytes) {
    PairId id{};
    if (bytes.size() < kPairIdOffset + id.size() ||
        !std::equal(kContainerMagic.begin(), kContainerMagic.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
        return std::nullopt;
    }
    std::copy_n(bytes.begin() + kPairIdOffset, id.size(), id.begin());
    return id;
}

FileFingerprint fingerprintOf(std::span<const std::uint8_t> bytes, std::uint64_t lastWrite) {
    return FileFingerprint{
        true, true, bytes.size(), lastWrite, contentHash(bytes), containerPairId(bytes)};
}

PairChange compareWithNoted(const PairFingerprint& noted, const PairFingerprint& now) {
    return PairChange{changeOf(noted.list, now.list), changeOf(noted.passwords, now.passwords)};
}

bool formsWholePair(const PairFingerprint& pair) {
    return pair.list.readable && pair.passwords.readable &&
           pair.list.pairId == pair.passwords.pairId;
}

SettledChange::Verdict SettledChange::look(const PairFingerprint& noted, const PairFingerprint& now,
                                           std::uint64_t atMs) {
    if (!compareWithNoted(noted, now).any()) {
        last_.reset();
        return Verdict::Nothing;
    }
    // Time stamps count here: a file still being written may keep its size for a moment.
    if (!last_ || *last_ != now) {
        last_ = now;
        since_ = atMs;
        return Verdict::Wait;
    }
    if (atMs - since_ < kSettleMilliseconds || !formsWholePair(now)) {
        return Verdict::Wait;
    }
    return Verdict::TakeIn;
}

} // namespace kavo
