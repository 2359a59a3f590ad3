// The two data files as one protected pair: opened together, refused together, written together
// under one pair id. Which file is at fault is named, so the user knows what to bring back.
#pragma once

#include "store/protected_file.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kavo {

// Both files as read; nullopt for one that is not there or could not be read.
struct PairBytes {
    std::optional<Bytes> list;
    std::optional<Bytes> passwords;
};

// Asks for the master password until tryPassword takes one (true), or the user gives up (false).
using MasterPasswordAsk =
    std::function<bool(const std::function<bool(std::u16string_view typed)>& tryPassword)>;

enum class PairOpenStatus {
    Compatible, // neither file is a container: read them as they are
    Opened,     // both were containers of one save and are replaced by the files they wrap
    Damaged,    // a container that does not check out, a half missing, or halves of two saves
    OtherUser,  // protected for another Windows user or on another PC
    Cancelled,  // the master password was not given
};

struct PairOpen {
    PairOpenStatus status = PairOpenStatus::Compatible;
    // The files to name when refused, list first.
    std::vector<ContainerKind> refused;
};

// Opens a protected pair in place. On Opened, protection says what was on disk (and what the next
// save writes) and keeps the master password's key.
PairOpen openPair(ContainerCrypto& crypto, PairBytes& bytes, DataProtection& protection,
                  const MasterPasswordAsk& ask);

enum class PairSealStatus { Sealed, NeedsMasterPassword, Failed };

struct PairSeal {
    PairSealStatus status = PairSealStatus::Sealed;
    Bytes list;
    Bytes passwords;
};

// Wraps both files as protection.chosen says, under one new pair id; the key of the master
// password is derived (with a new salt) when there is none yet. The plain bytes are wiped.
PairSeal sealPair(ContainerCrypto& crypto, Bytes& list, Bytes& passwords,
                  DataProtection& protection, std::u16string_view masterPassword);

} // namespace kavo
