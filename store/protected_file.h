// The protected form of the two data files: a container that wraps the compatible file's exact
// bytes, encrypted under a key from the master password or protected for the Windows user.
//
//   offset size field
//        0    8 "KAVOENC1"
//        8    4 format version, 1 (every number little-endian)
//       12    4 protection: 1 master password, 2 Windows user
//       16    4 file kind: 1 list (pw_set1.dat), 2 passwords (pw_set2.dat)
//       20    4 PBKDF2 iterations (0 for the Windows user)
//       24   16 salt (zero for the Windows user)
//       40   16 pair id: the same in both files of one save
//       56   12 nonce (zero for the Windows user)
//       68    4 payload length N
//       72    N payload
//     72+N   16 GCM tag (master password only)
//
// Bytes 0-71 are the additional data of AES-256-GCM, or the entropy of the Windows protection, so
// no field can be changed without the file being refused. The cipher work itself comes through
// ContainerCrypto: Windows' own primitives in the program, another implementation in the tests.
#pragma once

#include "store/text_lines.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kavo {

// What the files on disk are, or what the next save writes. The numbers are the header's.
enum class Protection : std::uint32_t { Scrambled = 0, MasterPassword = 1, WindowsUser = 2 };
enum class ContainerKind : std::uint32_t { List = 1, Passwords = 2 };

inline constexpr std::size_t kContainerHeaderBytes = 72;
inline constexpr std::size_t kGcmTagBytes = 16;
inline constexpr std::size_t kSaltBytes = 16;
inline constexpr std::size_t kPairIdBytes = 16;
inline constexpr std::size_t kNonceBytes = 12;
inline constexpr std::size_t kKeyBytes = 32;
inline constexpr std::uint32_t kContainerVersion = 1;
// Fewer would make guessing the master password from a copied folder cheap; a file asking for
// far more is no file of ours, and would only keep the program busy.
inline constexpr std::uint32_t kMinIterations = 600'000;
inline constexpr std::uint32_t kMaxIterations = 100'000'000;
inline constexpr std::uint32_t kDefaultIterations = 600'000;
// Room a container needs beyond the file it wraps: the header, the tag, and what the Windows
// protection adds.
inline constexpr std::size_t kContainerOverheadBytes = 64 * 1024;

using Salt = std::array<std::uint8_t, kSaltBytes>;
using PairId = std::array<std::uint8_t, kPairIdBytes>;
using Nonce = std::array<std::uint8_t, kNonceBytes>;
using GcmTag = std::array<std::uint8_t, kGcmTagBytes>;

// The 32-byte key the master password gives with one salt. Wiped when it goes.
class ContainerKey {
  public:
    ContainerKey() = default;
    ~ContainerKey() { wipe(); }
    ContainerKey(const ContainerKey& other) = default;
    ContainerKey& operator=(const ContainerKey& other) = default;

    Salt salt{};
    std::uint32_t iterations = 0;
    std::array<std::uint8_t, kKeyBytes> bytes{};

    void wipe();
};

// What the files on disk are and what the next save writes; the key of the master password while
// it is known, so a save need not derive it again.
struct DataProtection {
    Protection onDisk = Protection::Scrambled;
    Protection chosen = Protection::Scrambled;
    std::optional<ContainerKey> key;
};

// The primitives a container needs. Every operation says whether it did what it promises.
class ContainerCrypto {
  public:
    virtual ~ContainerCrypto() = default;
    // Unpredictable bytes.
    virtual bool random(std::span<std::uint8_t> out) = 0;
    // PBKDF2-HMAC-SHA256 of the password's bytes, key.salt and key.iterations into key.bytes.
    virtual bool deriveKey(std::span<const std::uint8_t> password, ContainerKey& key) = 0;
    // AES-256-GCM. open fails when the tag does not match, and then gives out nothing.
    virtual bool seal(const ContainerKey& key, const Nonce& nonce,
                      std::span<const std::uint8_t> additional, std::span<const std::uint8_t> plain,
                      Bytes& cipher, GcmTag& tag) = 0;
    virtual bool open(const ContainerKey& key, const Nonce& nonce,
                      std::span<const std::uint8_t> additional,
                      std::span<const std::uint8_t> cipher, const GcmTag& tag, Bytes& plain) = 0;
    // Protection for the current Windows user, bound to the entropy.
    virtual bool protectForUser(std::span<const std::uint8_t> plain,
                                std::span<const std::uint8_t> entropy, Bytes& blob) = 0;
    virtual bool unprotectForUser(std::span<const std::uint8_t> blob,
                                  std::span<const std::uint8_t> entropy, Bytes& plain) = 0;
    // Clears memory in a way the compiler may not leave out.
    virtual void wipe(std::span<std::uint8_t> bytes) = 0;
};

struct ContainerHeader {
    std::uint32_t version = kContainerVersion;
    Protection protection = Protection::MasterPassword;
    ContainerKind kind = ContainerKind::List;
    std::uint32_t iterations = 0;
    Salt salt{};
    PairId pairId{};
    Nonce nonce{};
    std::uint32_t payloadBytes = 0;
};

// The file starts with the container's magic: it is one, sound or damaged.
bool isContainer(std::span<const std::uint8_t> bytes);

// What a look at a file's header tells without decrypting anything: whether it is a container,
// and the pair id it says it belongs to (also for a container whose payload may be damaged).
struct ContainerPeek {
    bool container = false;
    std::optional<PairId> pairId;
    Protection protection = Protection::Scrambled;
};
ContainerPeek peekContainer(std::span<const std::uint8_t> bytes);

enum class ContainerStatus {
    Ok,
    NotContainer,  // no magic: a compatible file
    BadVersion,    // another format version
    BadProtection, // a protection this version does not know, or fields it must not set
    BadKind,       // the list's container in the password file's place, or the reverse
    BadLength,     // the payload length does not match the file's size
    BadIterations, // too few or too many PBKDF2 iterations
    NotOpened,     // tag or blob refused: a wrong key, another Windows user, or damage
    CryptoFailed,  // the primitives could not be used at all
};

// Reads and checks every header field against the file's size and the kind it must be.
struct HeaderRead {
    ContainerStatus status = ContainerStatus::Ok;
    ContainerHeader header;
};
HeaderRead readContainerHeader(std::span<const std::uint8_t> bytes, ContainerKind expected);

// The header's 72 bytes, as they are written and as they are bound to the payload.
std::array<std::uint8_t, kContainerHeaderBytes> headerBytes(const ContainerHeader& header);

// The wrapped file. For the master password, key must be the one of the header's salt.
struct ContainerOpen {
    ContainerStatus status = ContainerStatus::Ok;
    ContainerHeader header;
    Bytes payload;
};
ContainerOpen openContainer(ContainerCrypto& crypto, std::span<const std::uint8_t> bytes,
                            ContainerKind expected, const ContainerKey* key);

// Wraps the file's bytes. For the master password, key holds the salt and iterations that go in
// the header; a new nonce is drawn for every write. nullopt when the primitives fail.
std::optional<Bytes> sealContainer(ContainerCrypto& crypto, std::span<const std::uint8_t> plain,
                                   ContainerKind kind, Protection protection,
                                   const ContainerKey* key, const PairId& pairId);

// Whether the two headers belong to one save: the same protection, pair id and, for the master
// password, the same salt and iterations.
bool sameSave(const ContainerHeader& list, const ContainerHeader& passwords);

// The master password's bytes for the key: UTF-8, whatever the code page.
Bytes passwordKeyBytes(std::u16string_view password);

} // namespace kavo
