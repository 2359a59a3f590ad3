// The protected container's reader on any bytes, with OpenSSL behind the crypto seam: it never
// reads outside the input, what it accepts under a key is exactly what a write under that key
// wraps, and the same bytes wrapped afresh open to themselves. The first byte picks the kind the
// file must be; the rest is the file.
#include "store/protected_file.h"
#include "tests/support/openssl_container_crypto.h"

#include <cstdlib>

namespace {

kavo::ContainerKey fixedKey() {
    kavo::ContainerKey key;
    key.iterations = kavo::kMinIterations;
    key.bytes.fill(0x5A);
    return key;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static kavo::testing::OpenSslContainerCrypto crypto;
    static const kavo::ContainerKey key = fixedKey();
    const auto kind =
        (data[0] & 1) != 0 ? kavo::ContainerKind::Passwords : kavo::ContainerKind::List;
    const std::span<const std::uint8_t> file(data + 1, size - 1);

    const kavo::ContainerPeek peek = kavo::peekContainer(file);
    if (peek.container != kavo::isContainer(file)) {
        std::abort();
    }
    kavo::ContainerKey headerKey = key;
    const kavo::HeaderRead header = kavo::readContainerHeader(file, kind);
    if (header.status == kavo::ContainerStatus::Ok) {
        headerKey.salt = header.header.salt;
        headerKey.iterations = header.header.iterations;
    }
    const kavo::ContainerOpen opened = kavo::openContainer(crypto, file, kind, &headerKey);
    if (opened.status == kavo::ContainerStatus::Ok) {
        if (opened.payload.size() != header.header.payloadBytes &&
            header.header.protection == kavo::Protection::MasterPassword) {
            std::abort();
        }
    } else if (!opened.payload.empty()) {
        std::abort(); // nothing of a refused file is given out
    }

    // The input as a file to protect: both protections give it back unchanged.
    kavo::PairId pairId{};
    pairId.fill(data[0]);
    for (const auto protection :
         {kavo::Protection::MasterPassword, kavo::Protection::WindowsUser}) {
        const auto sealed = kavo::sealContainer(crypto, file, kind, protection, &key, pairId);
        if (!sealed) {
            std::abort();
        }
        const kavo::ContainerOpen back = kavo::openContainer(crypto, *sealed, kind, &key);
        if (back.status != kavo::ContainerStatus::Ok ||
            !std::equal(back.payload.begin(), back.payload.end(), file.begin(), file.end()) ||
            kavo::peekContainer(*sealed).pairId != pairId) {
            std::abort();
        }
    }
    return 0;
}
