// What KAVO noted of the two data files when it read them, and what that tells later: whether a
// save would replace something it never read, whether a newer pair has settled on the disk and
// may be taken in. The file layer fills the fingerprints; the decisions are made here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kavo {

// The id both files of one protected save carry; plain files carry none.
using PairId = std::array<std::uint8_t, 16>;

struct FileFingerprint {
    bool present = false;
    // The content was read: a file another program holds has a size and a time, but no hash.
    bool readable = false;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // the file system's time stamp, as it comes
    std::uint64_t hash = 0;      // of the whole content
    std::optional<PairId> pairId;
    friend bool operator==(const FileFingerprint&, const FileFingerprint&) = default;
};

// The entry list first, then the password file, as they are saved.
struct PairFingerprint {
    FileFingerprint list;
    FileFingerprint passwords;
    friend bool operator==(const PairFingerprint&, const PairFingerprint&) = default;
};

// A 64-bit hash of the bytes; it tells contents apart, it protects nothing.
std::uint64_t contentHash(std::span<const std::uint8_t> bytes);

// The pair id a protected container carries; none for any other content.
std::optional<PairId> containerPairId(std::span<const std::uint8_t> bytes);

// The fingerprint of a file that is there with these bytes.
FileFingerprint fingerprintOf(std::span<const std::uint8_t> bytes, std::uint64_t lastWrite);

enum class FileChange { None, Changed, Appeared, Vanished };

struct PairChange {
    FileChange list = FileChange::None;
    FileChange passwords = FileChange::None;
    bool any() const { return list != FileChange::None || passwords != FileChange::None; }
};

// How the files on disk differ from what was read. A new time stamp over the very same bytes (a
// sync client writing back what it had) is no change; other bytes, another size or another pair
// id are, whatever the time stamp says. A file that cannot be read now is judged by its size and
// time stamp.
PairChange compareWithNoted(const PairFingerprint& noted, const PairFingerprint& now);

// Both files are there and belong to one save: a protected pair carries one pair id in both, a
// plain pair none in either. Half a pair, as a sync client leaves it between two downloads, is
// never taken in.
bool formsWholePair(const PairFingerprint& pair);

// How long the files must stay as they are before an idle KAVO takes them in.
constexpr std::uint64_t kSettleMilliseconds = 2000;

// Watches the files after a change in the data folder was noticed, one look at a time.
class SettledChange {
  public:
    enum class Verdict {
        Nothing, // what is on disk is what KAVO read: stop looking
        Wait,    // changed, but still moving or not a whole pair yet: look again
        TakeIn   // changed, still for long enough, and a whole pair
    };

    // One look at the files at the time given (milliseconds of a steady clock).
    Verdict look(const PairFingerprint& noted, const PairFingerprint& now, std::uint64_t atMs);
    void reset() { last_.reset(); }

  private:
    std::optional<PairFingerprint> last_;
    std::uint64_t since_ = 0;
};

} // namespace kavo
