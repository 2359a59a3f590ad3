// The container's primitives from OpenSSL's libcrypto, for the native tests and the fuzzer: a
// real AES-256-GCM and PBKDF2-HMAC-SHA256 behind the seam. The Windows user's protection is
// stood in for by AES-GCM under a key of this "user", with the entropy as additional data, so a
// changed header or another user is refused as DPAPI refuses it.
#pragma once

#include "store/protected_file.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cstring>
#include <memory>

namespace kavo::testing {

class OpenSslContainerCrypto final : public ContainerCrypto {
  public:
    explicit OpenSslContainerCrypto(std::uint8_t user = 1) { userKey_.bytes.fill(user); }

    // How many times each primitive was asked for; a test can make the next one fail.
    int derivations = 0;
    bool failRandom = false;

    bool random(std::span<std::uint8_t> out) override {
        return !failRandom && RAND_bytes(out.data(), static_cast<int>(out.size())) == 1;
    }
    bool deriveKey(std::span<const std::uint8_t> password, ContainerKey& key) override {
        ++derivations;
        return PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(password.data()),
                                 static_cast<int>(password.size()), key.salt.data(),
                                 static_cast<int>(key.salt.size()),
                                 static_cast<int>(key.iterations), EVP_sha256(),
                                 static_cast<int>(key.bytes.size()), key.bytes.data()) == 1;
    }
    bool seal(const ContainerKey& key, const Nonce& nonce, std::span<const std::uint8_t> additional,
              std::span<const std::uint8_t> plain, Bytes& cipher, GcmTag& tag) override {
        return gcm(true, key, nonce, additional, plain, cipher, tag);
    }
    bool open(const ContainerKey& key, const Nonce& nonce, std::span<const std::uint8_t> additional,
              std::span<const std::uint8_t> cipher, const GcmTag& tag, Bytes& plain) override {
        GcmTag expected = tag;
        return gcm(false, key, nonce, additional, cipher, plain, expected);
    }
    // The blob: a nonce, the cipher text, the tag.
    bool protectForUser(std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy,
                        Bytes& blob) override {
        Nonce nonce{};
        GcmTag tag{};
        Bytes cipher;
        if (!random(nonce) || !gcm(true, userKey_, nonce, entropy, plain, cipher, tag)) {
            return false;
        }
        blob.assign(nonce.begin(), nonce.end());
        blob.insert(blob.end(), cipher.begin(), cipher.end());
        blob.insert(blob.end(), tag.begin(), tag.end());
        return true;
    }
    bool unprotectForUser(std::span<const std::uint8_t> blob, std::span<const std::uint8_t> entropy,
                          Bytes& plain) override {
        if (blob.size() < kNonceBytes + kGcmTagBytes) {
            return false;
        }
        Nonce nonce{};
        GcmTag tag{};
        std::memcpy(nonce.data(), blob.data(), nonce.size());
        std::memcpy(tag.data(), blob.data() + blob.size() - tag.size(), tag.size());
        return gcm(false, userKey_, nonce, entropy,
                   blob.subspan(kNonceBytes, blob.size() - kNonceBytes - kGcmTagBytes), plain, tag);
    }
    void wipe(std::span<std::uint8_t> bytes) override {
        if (!bytes.empty()) {
            std::memset(bytes.data(), 0, bytes.size());
        }
    }

  private:
    static bool gcm(bool encrypt, const ContainerKey& key, const Nonce& nonce,
                    std::span<const std::uint8_t> additional, std::span<const std::uint8_t> in,
                    Bytes& out, GcmTag& tag) {
        const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(
            EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
        EVP_CIPHER_CTX* ctx = context.get();
        int length = 0;
        out.assign(in.size(), 0);
        if (EVP_CipherInit_ex(ctx, EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt) != 1 ||
            EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_IVLEN, static_cast<int>(nonce.size()),
                                nullptr) != 1 ||
            EVP_CipherInit_ex(ctx, nullptr, nullptr, key.bytes.data(), nonce.data(), encrypt) !=
                1 ||
            EVP_CipherUpdate(ctx, nullptr, &length, additional.data(),
                             static_cast<int>(additional.size())) != 1 ||
            (!in.empty() && EVP_CipherUpdate(ctx, out.data(), &length, in.data(),
                                             static_cast<int>(in.size())) != 1)) {
            return false;
        }
        if (!encrypt && EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, static_cast<int>(tag.size()),
                                            tag.data()) != 1) {
            return false;
        }
        if (EVP_CipherFinal_ex(ctx, out.data() + out.size(), &length) != 1) {
            out.clear();
            return false;
        }
        return !encrypt || EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG,
                                               static_cast<int>(tag.size()), tag.data()) == 1;
    }

    ContainerKey userKey_;
};

} // namespace kavo::testing
