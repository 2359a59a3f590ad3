// The container's primitives as Windows gives them (CNG and DPAPI, loaded on first use), against
// published test vectors where there are any: PBKDF2-HMAC-SHA256 of "password" and "salt", and
// the AES-256-GCM case with additional data from the mode's original paper (McGrew and Viega).
#include "store/container_crypto_win.h"

#include <gtest/gtest.h>

#include <string>

namespace kavo {
namespace {

Bytes fromHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

template <std::size_t N>
std::array<std::uint8_t, N> arrayOf(const std::string& hex) {
    std::array<std::uint8_t, N> out{};
    const Bytes bytes = fromHex(hex);
    std::copy_n(bytes.begin(), N, out.begin());
    return out;
}

TEST(ContainerCrypto, Pbkdf2Sha256GivesThePublishedKeys) {
    const Bytes password = {'p', 'a', 's', 's', 'w', 'o', 'r', 'd'};
    const Bytes salt = {'s', 'a', 'l', 't'};
    Bytes key(32);
    ASSERT_TRUE(pbkdf2Sha256(password, salt, 1, key));
    EXPECT_EQ(key, fromHex("120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"));
    ASSERT_TRUE(pbkdf2Sha256(password, salt, 4096, key));
    EXPECT_EQ(key, fromHex("c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"));
}

TEST(ContainerCrypto, AesGcmGivesThePublishedCipherTextAndRefusesAChangedTag) {
    WindowsContainerCrypto crypto;
    ContainerKey key;
    key.bytes =
        arrayOf<kKeyBytes>("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308");
    hideInMemory(key.bytes); // as a derived key is kept
    const Nonce nonce = arrayOf<kNonceBytes>("cafebabefacedbaddecaf888");
    const Bytes plain = fromHex("d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
                                "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b39");
    const Bytes additional = fromHex("feedfacedeadbeeffeedfacedeadbeefabaddad2");
    Bytes cipher;
    GcmTag tag{};
    ASSERT_TRUE(crypto.seal(key, nonce, additional, plain, cipher, tag));
    EXPECT_EQ(cipher, fromHex("522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
                              "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662"));
    EXPECT_EQ(tag, arrayOf<kGcmTagBytes>("76fc6ece0f4e1768cddf8853bb2d551b"));

    Bytes opened;
    ASSERT_TRUE(crypto.open(key, nonce, additional, cipher, tag, opened));
    EXPECT_EQ(opened, plain);
    GcmTag changed = tag;
    changed[15] ^= 1;
    EXPECT_FALSE(crypto.open(key, nonce, additional, cipher, changed, opened));
    Bytes otherData = additional;
    otherData[0] ^= 1;
    EXPECT_FALSE(crypto.open(key, nonce, otherData, cipher, tag, opened));
}

TEST(ContainerCrypto, TheWindowsUsersProtectionRoundTripsOnlyWithItsEntropy) {
    WindowsContainerCrypto crypto;
    const Bytes plain(1000, 0x42);
    const Bytes entropy(72, 0x07);
    Bytes blob;
    ASSERT_TRUE(crypto.protectForUser(plain, entropy, blob));
    Bytes opened;
    ASSERT_TRUE(crypto.unprotectForUser(blob, entropy, opened));
    EXPECT_EQ(opened, plain);
    Bytes otherEntropy = entropy;
    otherEntropy[40] ^= 1;
    EXPECT_FALSE(crypto.unprotectForUser(blob, otherEntropy, opened));
    Bytes changed = blob;
    changed[changed.size() / 2] ^= 1;
    EXPECT_FALSE(crypto.unprotectForUser(changed, entropy, opened));

    // A whole container under the Windows user: its length is the blob's, bound to the blob.
    PairId pairId{};
    pairId.fill(3);
    const auto sealed =
        sealContainer(crypto, plain, ContainerKind::List, Protection::WindowsUser, nullptr, pairId);
    ASSERT_TRUE(sealed.has_value());
    EXPECT_EQ(openContainer(crypto, *sealed, ContainerKind::List, nullptr).payload, plain);
}

} // namespace
} // namespace kavo
