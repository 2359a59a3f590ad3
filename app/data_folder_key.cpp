#include "app/data_folder_key.h"

namespace kavo {

namespace {

constexpr std::u16string_view kLongPathPrefix = u"\\\\?\\";
constexpr std::u16string_view kLockNamePrefix = u"Local\\KAVO.DataFolder.";
// 64-bit FNV-1a.
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

bool isSeparator(char16_t unit) {
    return unit == u'\\' || unit == u'/';
}

} // namespace

std::uint64_t dataFolderKey(std::u16string_view folderPath) {
    std::u16string_view path = folderPath;
    if (path.starts_with(kLongPathPrefix)) {
        path.remove_prefix(kLongPathPrefix.size());
    }
    while (!path.empty() && isSeparator(path.back())) {
        path.remove_suffix(1);
    }
    std::uint64_t hash = kFnvOffset;
    for (const char16_t unit : path) {
        const char16_t normal = isSeparator(unit) ? u'\\' : unit;
        for (const unsigned byte : {normal & 0xFFu, static_cast<unsigned>(normal >> 8)}) {
            hash = (hash ^ byte) * kFnvPrime;
        }
    }
    return hash;
}

std::u16string dataFolderLockName(std::uint64_t key) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string name(kLockNamePrefix);
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kDigits[(key >> shift) & 0xFu];
    }
    return name;
}

} // namespace kavo
