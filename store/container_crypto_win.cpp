#include "store/container_crypto_win.h"

#include "win/system_library_win.h"

#include <bcrypt.h>
#include <dpapi.h>

#include <limits>

namespace kavo {

namespace {

constexpr wchar_t kCng[] = L"bcrypt.dll";
constexpr wchar_t kDpapi[] = L"crypt32.dll";

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

bool fitsUlong(std::size_t size) {
    return size <= std::numeric_limits<ULONG>::max();
}

// CNG takes buffers it does not change through non-const pointers.
PUCHAR input(std::span<const std::uint8_t> bytes) {
    return const_cast<PUCHAR>(bytes.data());
}

ULONG ulongSize(std::span<const std::uint8_t> bytes) {
    return static_cast<ULONG>(bytes.size());
}

// One algorithm provider of CNG, closed when it goes.
class Algorithm {
  public:
    Algorithm(const wchar_t* name, ULONG flags) {
        const auto openProvider = systemFunction<decltype(BCryptOpenAlgorithmProvider)>(
            kCng, "BCryptOpenAlgorithmProvider");
        if (openProvider == nullptr || !succeeded(openProvider(&handle_, name, nullptr, flags))) {
            handle_ = nullptr;
        }
    }
    ~Algorithm() {
        if (handle_ != nullptr) {
            if (const auto closeProvider = systemFunction<decltype(BCryptCloseAlgorithmProvider)>(
                    kCng, "BCryptCloseAlgorithmProvider")) {
                closeProvider(handle_, 0);
            }
        }
    }
    Algorithm(const Algorithm&) = delete;
    Algorithm& operator=(const Algorithm&) = delete;

    BCRYPT_ALG_HANDLE get() const { return handle_; }

  private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

// An AES-256 key in GCM chaining mode, destroyed when it goes.
class GcmKey {
  public:
    explicit GcmKey(const ContainerKey& key) : aes_(BCRYPT_AES_ALGORITHM, 0) {
        const auto setProperty =
            systemFunction<decltype(BCryptSetProperty)>(kCng, "BCryptSetProperty");
        const auto generate = systemFunction<decltype(BCryptGenerateSymmetricKey)>(
            kCng, "BCryptGenerateSymmetricKey");
        if (aes_.get() == nullptr || setProperty == nullptr || generate == nullptr) {
            return;
        }
        auto mode = const_cast<PUCHAR>(reinterpret_cast<const UCHAR*>(BCRYPT_CHAIN_MODE_GCM));
        if (!succeeded(setProperty(aes_.get(), BCRYPT_CHAINING_MODE, mode,
                                   sizeof(BCRYPT_CHAIN_MODE_GCM), 0))) {
            return;
        }
        std::array<std::uint8_t, kKeyBytes> bytes = key.bytes;
        revealFromMemory(bytes);
        if (!succeeded(generate(aes_.get(), &key_, nullptr, 0, bytes.data(),
                                static_cast<ULONG>(bytes.size()), 0))) {
            key_ = nullptr;
        }
        SecureZeroMemory(bytes.data(), bytes.size());
    }
    ~GcmKey() {
        if (key_ != nullptr) {
            if (const auto destroy =
                    systemFunction<decltype(BCryptDestroyKey)>(kCng, "BCryptDestroyKey")) {
                destroy(key_);
            }
        }
    }
    GcmKey(const GcmKey&) = delete;
    GcmKey& operator=(const GcmKey&) = delete;

    BCRYPT_KEY_HANDLE get() const { return key_; }

  private:
    Algorithm aes_;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO
gcmInfo(const Nonce& nonce, std::span<const std::uint8_t> additional, GcmTag& tag) {
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info{};
    info.cbSize = sizeof(info);
    info.dwInfoVersion = BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO_VERSION;
    info.pbNonce = const_cast<PUCHAR>(nonce.data());
    info.cbNonce = static_cast<ULONG>(nonce.size());
    info.pbAuthData = input(additional);
    info.cbAuthData = ulongSize(additional);
    info.pbTag = tag.data();
    info.cbTag = static_cast<ULONG>(tag.size());
    return info;
}

// A DATA_BLOB that DPAPI allocated, wiped and freed when it goes.
struct SystemBlob {
    DATA_BLOB blob{};
    ~SystemBlob() {
        if (blob.pbData != nullptr) {
            SecureZeroMemory(blob.pbData, blob.cbData);
            LocalFree(blob.pbData);
        }
    }
};

DATA_BLOB blobOf(std::span<const std::uint8_t> bytes) {
    return DATA_BLOB{ulongSize(bytes), input(bytes)};
}

} // namespace

bool WindowsContainerCrypto::random(std::span<std::uint8_t> out) {
    const auto generate = systemFunction<decltype(BCryptGenRandom)>(kCng, "BCryptGenRandom");
    return generate != nullptr && fitsUlong(out.size()) &&
           succeeded(generate(nullptr, out.data(), static_cast<ULONG>(out.size()),
                              BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

bool pbkdf2Sha256(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                  std::uint64_t iterations, std::span<std::uint8_t> out) {
    const auto derive =
        systemFunction<decltype(BCryptDeriveKeyPBKDF2)>(kCng, "BCryptDeriveKeyPBKDF2");
    const Algorithm hmac(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    return derive != nullptr && hmac.get() != nullptr && fitsUlong(password.size()) &&
           fitsUlong(salt.size()) && fitsUlong(out.size()) &&
           succeeded(derive(hmac.get(), input(password), ulongSize(password), input(salt),
                            ulongSize(salt), iterations, out.data(), static_cast<ULONG>(out.size()),
                            0));
}

bool WindowsContainerCrypto::deriveKey(std::span<const std::uint8_t> password, ContainerKey& key) {
    if (!pbkdf2Sha256(password, key.salt, key.iterations, key.bytes)) {
        key.wipe();
        return false;
    }
    // Kept scrambled for the rest of the run; GcmKey opens it only for the moment it needs it.
    hideInMemory(key.bytes);
    return true;
}

bool WindowsContainerCrypto::seal(const ContainerKey& key, const Nonce& nonce,
                                  std::span<const std::uint8_t> additional,
                                  std::span<const std::uint8_t> plain, Bytes& cipher, GcmTag& tag) {
    const auto encrypt = systemFunction<decltype(BCryptEncrypt)>(kCng, "BCryptEncrypt");
    const GcmKey gcm(key);
    if (encrypt == nullptr || gcm.get() == nullptr || !fitsUlong(plain.size())) {
        return false;
    }
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = gcmInfo(nonce, additional, tag);
    cipher.assign(plain.size(), 0);
    ULONG written = 0;
    return succeeded(encrypt(gcm.get(), input(plain), ulongSize(plain), &info, nullptr, 0,
                             cipher.data(), static_cast<ULONG>(cipher.size()), &written, 0)) &&
           written == plain.size();
}

bool WindowsContainerCrypto::open(const ContainerKey& key, const Nonce& nonce,
                                  std::span<const std::uint8_t> additional,
                                  std::span<const std::uint8_t> cipher, const GcmTag& tag,
                                  Bytes& plain) {
    const auto decrypt = systemFunction<decltype(BCryptDecrypt)>(kCng, "BCryptDecrypt");
    const GcmKey gcm(key);
    if (decrypt == nullptr || gcm.get() == nullptr || !fitsUlong(cipher.size())) {
        return false;
    }
    GcmTag expected = tag;
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = gcmInfo(nonce, additional, expected);
    plain.assign(cipher.size(), 0);
    ULONG written = 0;
    // A changed tag, header or payload: STATUS_AUTH_TAG_MISMATCH, and nothing is given out.
    return succeeded(decrypt(gcm.get(), input(cipher), ulongSize(cipher), &info, nullptr, 0,
                             plain.data(), static_cast<ULONG>(plain.size()), &written, 0)) &&
           written == cipher.size();
}

bool WindowsContainerCrypto::protectForUser(std::span<const std::uint8_t> plain,
                                            std::span<const std::uint8_t> entropy, Bytes& blob) {
    const auto protect = systemFunction<decltype(CryptProtectData)>(kDpapi, "CryptProtectData");
    if (protect == nullptr || !fitsUlong(plain.size())) {
        return false;
    }
    DATA_BLOB in = blobOf(plain);
    DATA_BLOB salt = blobOf(entropy);
    SystemBlob out;
    if (!protect(&in, L"KAVO", &salt, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob)) {
        return false;
    }
    blob.assign(out.blob.pbData, out.blob.pbData + out.blob.cbData);
    return true;
}

bool WindowsContainerCrypto::unprotectForUser(std::span<const std::uint8_t> blob,
                                              std::span<const std::uint8_t> entropy, Bytes& plain) {
    const auto unprotect =
        systemFunction<decltype(CryptUnprotectData)>(kDpapi, "CryptUnprotectData");
    if (unprotect == nullptr || !fitsUlong(blob.size())) {
        return false;
    }
    DATA_BLOB in = blobOf(blob);
    DATA_BLOB salt = blobOf(entropy);
    SystemBlob out;
    if (!unprotect(&in, nullptr, &salt, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob)) {
        return false;
    }
    plain.assign(out.blob.pbData, out.blob.pbData + out.blob.cbData);
    return true;
}

void WindowsContainerCrypto::wipe(std::span<std::uint8_t> bytes) {
    if (!bytes.empty()) {
        SecureZeroMemory(bytes.data(), bytes.size());
    }
}

void hideInMemory(std::span<std::uint8_t> bytes) {
    if (const auto hide =
            systemFunction<decltype(CryptProtectMemory)>(kDpapi, "CryptProtectMemory")) {
        hide(bytes.data(), static_cast<DWORD>(bytes.size()), CRYPTPROTECTMEMORY_SAME_PROCESS);
    }
}

void revealFromMemory(std::span<std::uint8_t> bytes) {
    if (const auto reveal =
            systemFunction<decltype(CryptUnprotectMemory)>(kDpapi, "CryptUnprotectMemory")) {
        reveal(bytes.data(), static_cast<DWORD>(bytes.size()), CRYPTPROTECTMEMORY_SAME_PROCESS);
    }
}

} // namespace kavo
