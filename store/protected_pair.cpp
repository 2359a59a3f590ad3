#include "store/protected_pair.h"

namespace kavo {

namespace {

struct Halves {
    ContainerHeader list;
    ContainerHeader passwords;
};

PairOpen refuse(PairOpenStatus status, std::vector<ContainerKind> files) {
    return PairOpen{status, std::move(files)};
}

bool isContainerFile(const std::optional<Bytes>& bytes) {
    return bytes && isContainer(*bytes);
}

// Both halves opened with the key (or the Windows user): the refused ones are named, an empty
// list means both opened.
struct Attempt {
    ContainerOpen list;
    ContainerOpen passwords;
    bool bothFailed() const {
        return list.status != ContainerStatus::Ok && passwords.status != ContainerStatus::Ok;
    }
    std::vector<ContainerKind> failed() const {
        std::vector<ContainerKind> files;
        if (list.status != ContainerStatus::Ok) {
            files.push_back(ContainerKind::List);
        }
        if (passwords.status != ContainerStatus::Ok) {
            files.push_back(ContainerKind::Passwords);
        }
        return files;
    }
};

Attempt tryBoth(ContainerCrypto& crypto, const PairBytes& bytes, const ContainerKey* key) {
    return Attempt{openContainer(crypto, *bytes.list, ContainerKind::List, key),
                   openContainer(crypto, *bytes.passwords, ContainerKind::Passwords, key)};
}

void wipeBytes(ContainerCrypto& crypto, Bytes& bytes) {
    crypto.wipe(bytes);
    bytes.clear();
}

PairOpen takeOpened(ContainerCrypto& crypto, PairBytes& bytes, Attempt& attempt,
                    DataProtection& protection, Protection onDisk) {
    wipeBytes(crypto, *bytes.list);
    wipeBytes(crypto, *bytes.passwords);
    bytes.list = std::move(attempt.list.payload);
    bytes.passwords = std::move(attempt.passwords.payload);
    protection.onDisk = onDisk;
    protection.chosen = onDisk;
    return PairOpen{PairOpenStatus::Opened, {}};
}

} // namespace

PairOpen openPair(ContainerCrypto& crypto, PairBytes& bytes, DataProtection& protection,
                  const MasterPasswordAsk& ask) {
    const bool listIsContainer = isContainerFile(bytes.list);
    const bool passwordsAreContainer = isContainerFile(bytes.passwords);
    if (!listIsContainer && !passwordsAreContainer) {
        return PairOpen{};
    }
    // A compatible or missing half beside a container is no pair a save of ours leaves.
    if (!listIsContainer || !passwordsAreContainer) {
        return refuse(PairOpenStatus::Damaged,
                      {listIsContainer ? ContainerKind::Passwords : ContainerKind::List});
    }
    const HeaderRead list = readContainerHeader(*bytes.list, ContainerKind::List);
    const HeaderRead passwords = readContainerHeader(*bytes.passwords, ContainerKind::Passwords);
    std::vector<ContainerKind> bad;
    if (list.status != ContainerStatus::Ok) {
        bad.push_back(ContainerKind::List);
    }
    if (passwords.status != ContainerStatus::Ok) {
        bad.push_back(ContainerKind::Passwords);
    }
    if (!bad.empty()) {
        return refuse(PairOpenStatus::Damaged, std::move(bad));
    }
    if (!sameSave(list.header, passwords.header)) {
        return refuse(PairOpenStatus::Damaged, {ContainerKind::List, ContainerKind::Passwords});
    }
    const Protection onDisk = list.header.protection;
    if (onDisk == Protection::WindowsUser) {
        Attempt attempt = tryBoth(crypto, bytes, nullptr);
        if (attempt.bothFailed()) {
            return refuse(PairOpenStatus::OtherUser, attempt.failed());
        }
        if (!attempt.failed().empty()) {
            return refuse(PairOpenStatus::Damaged, attempt.failed());
        }
        return takeOpened(crypto, bytes, attempt, protection, onDisk);
    }

    std::optional<Attempt> opened;
    std::optional<ContainerKey> openedWith;
    // The key of this run opens what this run wrote (its recovery pair) without asking again.
    if (protection.key && protection.key->salt == list.header.salt &&
        protection.key->iterations == list.header.iterations) {
        Attempt attempt = tryBoth(crypto, bytes, &*protection.key);
        if (!attempt.bothFailed()) {
            opened = std::move(attempt);
            openedWith = protection.key;
        }
    }
    const bool given = opened || ask([&](std::u16string_view typed) {
                           ContainerKey key;
                           key.salt = list.header.salt;
                           key.iterations = list.header.iterations;
                           Bytes password = passwordKeyBytes(typed);
                           const bool derived = crypto.deriveKey(password, key);
                           crypto.wipe(password);
                           if (!derived) {
                               return true; // nothing typed can help: refused below
                           }
                           Attempt attempt = tryBoth(crypto, bytes, &key);
                           if (attempt.bothFailed()) {
                               return false; // a wrong password: both files refuse it alike
                           }
                           opened = std::move(attempt);
                           openedWith = key;
                           return true;
                       });
    if (!given) {
        return refuse(PairOpenStatus::Cancelled, {});
    }
    if (!opened) {
        return refuse(PairOpenStatus::Damaged, {ContainerKind::List, ContainerKind::Passwords});
    }
    // The right password opened one half: the other was changed after it was written.
    if (!opened->failed().empty()) {
        return refuse(PairOpenStatus::Damaged, opened->failed());
    }
    protection.key = openedWith;
    return takeOpened(crypto, bytes, *opened, protection, onDisk);
}

PairSeal sealPair(ContainerCrypto& crypto, Bytes& list, Bytes& passwords,
                  DataProtection& protection, std::u16string_view masterPassword) {
    PairSeal seal;
    const ContainerKey* key = nullptr;
    if (protection.chosen == Protection::MasterPassword) {
        if (masterPassword.empty()) {
            seal.status = PairSealStatus::NeedsMasterPassword;
        } else if (!protection.key) {
            // A new master password, or the first save under one: a new salt for it.
            ContainerKey fresh;
            fresh.iterations = kDefaultIterations;
            Bytes password = passwordKeyBytes(masterPassword);
            if (crypto.random(fresh.salt) && crypto.deriveKey(password, fresh)) {
                protection.key = fresh;
            } else {
                seal.status = PairSealStatus::Failed;
            }
            crypto.wipe(password);
        }
        key = protection.key ? &*protection.key : nullptr;
    }
    PairId pairId{};
    if (seal.status == PairSealStatus::Sealed && !crypto.random(pairId)) {
        seal.status = PairSealStatus::Failed;
    }
    if (seal.status == PairSealStatus::Sealed) {
        auto sealedList =
            sealContainer(crypto, list, ContainerKind::List, protection.chosen, key, pairId);
        auto sealedPasswords = sealContainer(crypto, passwords, ContainerKind::Passwords,
                                             protection.chosen, key, pairId);
        if (sealedList && sealedPasswords) {
            seal.list = std::move(*sealedList);
            seal.passwords = std::move(*sealedPasswords);
        } else {
            seal.status = PairSealStatus::Failed;
        }
    }
    wipeBytes(crypto, list);
    wipeBytes(crypto, passwords);
    return seal;
}

} // namespace kavo
