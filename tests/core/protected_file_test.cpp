// The protected container and the pair built on it, with OpenSSL behind the crypto seam: the
// layout as written, every field that must refuse the file when changed, and the pair rules of
// opening (which file is named, when the password is asked again) and saving.
#include "store/kept_pair.h"
#include "store/protected_pair.h"
#include "tests/core/fake_file_system.h"
#include "tests/support/openssl_container_crypto.h"

#include <gtest/gtest.h>

#include <functional>

namespace kavo {
namespace {

using testing::OpenSslContainerCrypto;

const Bytes kListBytes = {0xFF, 0xFE, 't', 0, 'i', 0, 't', 0};
const Bytes kPasswordBytes(130, 0x41);
constexpr std::u16string_view kPassword = u"パスワード-1";

std::uint32_t numberAt(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void setNumber(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

class ProtectedFile : public ::testing::Test {
  protected:
    ProtectedFile() {
        key.iterations = kMinIterations;
        key.salt.fill(7);
        const Bytes password = passwordKeyBytes(kPassword);
        EXPECT_TRUE(crypto.deriveKey(password, key));
        pairId.fill(9);
    }
    Bytes sealed(Protection protection, ContainerKind kind = ContainerKind::List,
                 const Bytes& plain = kListBytes) {
        return sealContainer(crypto, plain, kind, protection, &key, pairId).value();
    }
    ContainerStatus statusOf(const Bytes& file, ContainerKind kind = ContainerKind::List) {
        return openContainer(crypto, file, kind, &key).status;
    }

    OpenSslContainerCrypto crypto;
    ContainerKey key;
    PairId pairId{};
};

TEST_F(ProtectedFile, EachProtectionWritesTheLayoutAndOpensToTheBytesItWrapped) {
    const Bytes master = sealed(Protection::MasterPassword);
    ASSERT_EQ(master.size(), kContainerHeaderBytes + kListBytes.size() + kGcmTagBytes);
    EXPECT_EQ(Bytes(master.begin(), master.begin() + 8),
              Bytes({'K', 'A', 'V', 'O', 'E', 'N', 'C', '1'}));
    EXPECT_EQ(numberAt(master, 8), 1u);
    EXPECT_EQ(numberAt(master, 12), 1u);
    EXPECT_EQ(numberAt(master, 16), 1u);
    EXPECT_EQ(numberAt(master, 20), kMinIterations);
    EXPECT_EQ(master[24], 7);
    EXPECT_EQ(master[40], 9);
    EXPECT_EQ(numberAt(master, 68), kListBytes.size());
    EXPECT_EQ(openContainer(crypto, master, ContainerKind::List, &key).payload, kListBytes);
    // A new nonce for every write.
    const Bytes again = sealed(Protection::MasterPassword);
    EXPECT_NE(Bytes(master.begin() + 56, master.begin() + 68),
              Bytes(again.begin() + 56, again.begin() + 68));

    const Bytes user = sealed(Protection::WindowsUser, ContainerKind::Passwords, kPasswordBytes);
    EXPECT_EQ(numberAt(user, 12), 2u);
    EXPECT_EQ(numberAt(user, 16), 2u);
    EXPECT_EQ(numberAt(user, 20), 0u);
    EXPECT_EQ(Bytes(user.begin() + 24, user.begin() + 40), Bytes(16, 0));
    EXPECT_EQ(Bytes(user.begin() + 56, user.begin() + 68), Bytes(12, 0));
    EXPECT_EQ(numberAt(user, 68), user.size() - kContainerHeaderBytes);
    EXPECT_EQ(openContainer(crypto, user, ContainerKind::Passwords, nullptr).payload,
              kPasswordBytes);

    const ContainerPeek peek = peekContainer(user);
    EXPECT_TRUE(peek.container);
    EXPECT_EQ(peek.pairId, pairId);
    EXPECT_FALSE(peekContainer(kListBytes).container);
}

TEST_F(ProtectedFile, EveryChangedFieldOrByteIsRefused) {
    struct Damage {
        const char* what;
        std::function<void(Bytes&)> change;
        ContainerStatus master;
        ContainerStatus user;
    };
    using S = ContainerStatus;
    const std::vector<Damage> damages = {
        {"magic", [](Bytes& b) { b[7] = '2'; }, S::NotContainer, S::NotContainer},
        {"version", [](Bytes& b) { setNumber(b, 8, 2); }, S::BadVersion, S::BadVersion},
        {"protection", [](Bytes& b) { setNumber(b, 12, 3); }, S::BadProtection, S::BadProtection},
        {"kind", [](Bytes& b) { setNumber(b, 16, 2); }, S::BadKind, S::BadKind},
        {"too few iterations", [](Bytes& b) { setNumber(b, 20, kMinIterations - 1); },
         S::BadIterations, S::BadProtection},
        {"salt", [](Bytes& b) { b[30] ^= 1; }, S::NotOpened, S::BadProtection},
        {"pair id", [](Bytes& b) { b[45] ^= 1; }, S::NotOpened, S::NotOpened},
        {"nonce", [](Bytes& b) { b[60] ^= 1; }, S::NotOpened, S::BadProtection},
        {"length", [](Bytes& b) { setNumber(b, 68, numberAt(b, 68) + 1); }, S::BadLength,
         S::BadLength},
        {"payload byte", [](Bytes& b) { b[kContainerHeaderBytes + 1] ^= 0x80; }, S::NotOpened,
         S::NotOpened},
        {"last byte (tag)", [](Bytes& b) { b.back() ^= 1; }, S::NotOpened, S::NotOpened},
        {"cut short", [](Bytes& b) { b.pop_back(); }, S::BadLength, S::BadLength},
        {"header only", [](Bytes& b) { b.resize(40); }, S::BadLength, S::BadLength},
    };
    for (const Damage& damage : damages) {
        Bytes master = sealed(Protection::MasterPassword);
        damage.change(master);
        EXPECT_EQ(statusOf(master), damage.master) << damage.what;
        Bytes user = sealed(Protection::WindowsUser);
        damage.change(user);
        EXPECT_EQ(statusOf(user), damage.user) << damage.what;
    }
    // The other file's container in this one's place, another key, another Windows user.
    EXPECT_EQ(statusOf(sealed(Protection::MasterPassword), ContainerKind::Passwords), S::BadKind);
    ContainerKey other = key;
    other.bytes[0] ^= 1;
    EXPECT_EQ(openContainer(crypto, sealed(Protection::MasterPassword), ContainerKind::List, &other)
                  .status,
              S::NotOpened);
    OpenSslContainerCrypto otherUser(2);
    EXPECT_EQ(
        openContainer(otherUser, sealed(Protection::WindowsUser), ContainerKind::List, nullptr)
            .status,
        S::NotOpened);
}

// Both files as a save of this protection writes them.
PairBytes savedPair(OpenSslContainerCrypto& crypto, Protection protection) {
    DataProtection chosen;
    chosen.chosen = protection;
    Bytes list = kListBytes;
    Bytes passwords = kPasswordBytes;
    PairSeal seal = sealPair(crypto, list, passwords, chosen, kPassword);
    EXPECT_EQ(seal.status, PairSealStatus::Sealed);
    EXPECT_TRUE(list.empty() && passwords.empty()) << "the plain bytes are wiped";
    return {seal.list, seal.passwords};
}

// Types the passwords in turn; false (キャンセル) once they run out.
MasterPasswordAsk typing(std::vector<std::u16string> typed, int& asked) {
    return [typed, &asked](const auto& tryPassword) {
        for (const std::u16string& attempt : typed) {
            ++asked;
            if (tryPassword(attempt)) {
                return true;
            }
        }
        return false;
    };
}

TEST(ProtectedPair, TheMasterPasswordIsAskedUntilRightAndADamagedHalfIsNamed) {
    OpenSslContainerCrypto crypto;
    const PairBytes saved = savedPair(crypto, Protection::MasterPassword);
    int asked = 0;

    PairBytes pair = saved;
    DataProtection protection;
    const PairOpen opened =
        openPair(crypto, pair, protection, typing({u"wrong", std::u16string(kPassword)}, asked));
    EXPECT_EQ(opened.status, PairOpenStatus::Opened);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pair.list, kListBytes);
    EXPECT_EQ(pair.passwords, kPasswordBytes);
    EXPECT_EQ(protection.onDisk, Protection::MasterPassword);
    EXPECT_EQ(protection.chosen, Protection::MasterPassword);
    ASSERT_TRUE(protection.key.has_value());

    // The key of the run opens its own pair again without asking.
    pair = saved;
    asked = 0;
    EXPECT_EQ(openPair(crypto, pair, protection, typing({}, asked)).status, PairOpenStatus::Opened);
    EXPECT_EQ(asked, 0);

    pair = saved;
    DataProtection fresh;
    EXPECT_EQ(openPair(crypto, pair, fresh, typing({u"wrong"}, asked)).status,
              PairOpenStatus::Cancelled);

    pair = saved;
    pair.passwords->at(kContainerHeaderBytes + 3) ^= 1;
    const PairOpen damaged =
        openPair(crypto, pair, fresh, typing({std::u16string(kPassword)}, asked));
    EXPECT_EQ(damaged.status, PairOpenStatus::Damaged);
    EXPECT_EQ(damaged.refused, std::vector<ContainerKind>{ContainerKind::Passwords});
    EXPECT_FALSE(fresh.key.has_value());
}

TEST(ProtectedPair, HalvesOfTwoSavesAMissingHalfAndAnotherUserOpenNothing) {
    OpenSslContainerCrypto crypto;
    const PairBytes first = savedPair(crypto, Protection::WindowsUser);
    const PairBytes second = savedPair(crypto, Protection::WindowsUser);
    int asked = 0;
    DataProtection protection;

    PairBytes mixed{first.list, second.passwords};
    const PairOpen opened = openPair(crypto, mixed, protection, typing({}, asked));
    EXPECT_EQ(opened.status, PairOpenStatus::Damaged);
    EXPECT_EQ(opened.refused.size(), 2u);

    PairBytes half{kListBytes, first.passwords};
    const PairOpen compatibleBeside = openPair(crypto, half, protection, typing({}, asked));
    EXPECT_EQ(compatibleBeside.refused, std::vector<ContainerKind>{ContainerKind::List});
    PairBytes missing{first.list, std::nullopt};
    EXPECT_EQ(openPair(crypto, missing, protection, typing({}, asked)).refused,
              std::vector<ContainerKind>{ContainerKind::Passwords});

    OpenSslContainerCrypto otherUser(2);
    PairBytes elsewhere = first;
    EXPECT_EQ(openPair(otherUser, elsewhere, protection, typing({}, asked)).status,
              PairOpenStatus::OtherUser);

    PairBytes compatible{kListBytes, kPasswordBytes};
    EXPECT_EQ(openPair(crypto, compatible, protection, typing({}, asked)).status,
              PairOpenStatus::Compatible);
    EXPECT_EQ(compatible.list, kListBytes);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(protection.onDisk, Protection::Scrambled);
}

TEST(ProtectedPair, SavesShareOnePairIdDeriveOnceAndANewPasswordGetsANewSalt) {
    OpenSslContainerCrypto crypto;
    DataProtection protection;
    protection.chosen = Protection::MasterPassword;
    Bytes list = kListBytes;
    Bytes passwords = kPasswordBytes;
    EXPECT_EQ(sealPair(crypto, list, passwords, protection, u"").status,
              PairSealStatus::NeedsMasterPassword);

    const auto save = [&] {
        Bytes l = kListBytes;
        Bytes p = kPasswordBytes;
        return sealPair(crypto, l, p, protection, kPassword);
    };
    const PairSeal first = save();
    const PairSeal second = save();
    EXPECT_EQ(crypto.derivations, 1);
    const ContainerPeek firstList = peekContainer(first.list);
    EXPECT_EQ(firstList.pairId, peekContainer(first.passwords).pairId);
    EXPECT_NE(firstList.pairId, peekContainer(second.list).pairId);
    const Salt salt = protection.key->salt;

    protection.key.reset(); // the master password changed
    save();
    EXPECT_EQ(crypto.derivations, 2);
    EXPECT_NE(protection.key->salt, salt);

    crypto.failRandom = true;
    EXPECT_EQ(save().status, PairSealStatus::Failed);
}

TEST(ProtectedPair, ReadableCopiesAreKavosOwnClearCopiesOnly) {
    FakeFileSystem fs;
    OpenSslContainerCrypto crypto;
    const PairBytes protectedPair = savedPair(crypto, Protection::WindowsUser);
    fs.files[u"pw_set1.dat.as-found-20260101-1200.bak"] = kListBytes;
    fs.files[u"pw_set2.dat.as-found-20260101-1200.bak"] = kPasswordBytes;
    fs.files[u"pw_set2.dat.unsaved-20260102-0800.bak"] = *protectedPair.passwords;
    fs.files[u"pw_set1.dat.kavo-unsaved"] = kListBytes;
    fs.files[u"pw_set1.dat.mine.bak"] = kListBytes; // the user's own
    fs.files[u"pw_set1.dat"] = *protectedPair.list;
    const std::u16string names[] = {u"pw_set1.dat", u"pw_set2.dat"};
    EXPECT_EQ(readableCopies(fs, names),
              (std::vector<std::u16string>{u"pw_set1.dat.as-found-20260101-1200.bak",
                                           u"pw_set1.dat.kavo-unsaved",
                                           u"pw_set2.dat.as-found-20260101-1200.bak"}));
}

TEST(ProtectedPair, TheKeyComesFromTheUtf8OfTheMasterPassword) {
    EXPECT_EQ(passwordKeyBytes(u"aパ\U0001F511"),
              (Bytes{'a', 0xE3, 0x83, 0x91, 0xF0, 0x9F, 0x94, 0x91}));
}

} // namespace
} // namespace kavo
