// The container's primitives from Windows itself: CNG for PBKDF2, AES-GCM and random bytes, DPAPI
// for the protection bound to the Windows user. bcrypt.dll and crypt32.dll are loaded on first
// use, so a start of a folder that is not protected does not load them.
#pragma once

#include <windows.h>

#include "store/protected_file.h"

#include <span>

namespace kavo {

class WindowsContainerCrypto final : public ContainerCrypto {
  public:
    bool random(std::span<std::uint8_t> out) override;
    bool deriveKey(std::span<const std::uint8_t> password, ContainerKey& key) override;
    bool seal(const ContainerKey& key, const Nonce& nonce, std::span<const std::uint8_t> additional,
              std::span<const std::uint8_t> plain, Bytes& cipher, GcmTag& tag) override;
    bool open(const ContainerKey& key, const Nonce& nonce, std::span<const std::uint8_t> additional,
              std::span<const std::uint8_t> cipher, const GcmTag& tag, Bytes& plain) override;
    bool protectForUser(std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy,
                        Bytes& blob) override;
    bool unprotectForUser(std::span<const std::uint8_t> blob, std::span<const std::uint8_t> entropy,
                          Bytes& plain) override;
    void wipe(std::span<std::uint8_t> bytes) override;
};

// PBKDF2-HMAC-SHA256 through CNG, any salt and length.
bool pbkdf2Sha256(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                  std::uint64_t iterations, std::span<std::uint8_t> out);

// The key's bytes scrambled for this process only (CryptProtectMemory), and back; the bytes stay
// as they are when the system cannot do it. The size must be a multiple of 16.
void hideInMemory(std::span<std::uint8_t> bytes);
void revealFromMemory(std::span<std::uint8_t> bytes);

} // namespace kavo
