#include "store/conflict_copies.h"

#include "store/ascii_case.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr std::u16string_view kDataExtension = u".dat";

struct NameParts {
    std::u16string base;      // "pw_set1"
    std::u16string extension; // ".dat"
};

std::optional<NameParts> partsOf(std::u16string_view dataFileName) {
    const std::u16string folded = foldAsciiCase(dataFileName);
    if (!folded.ends_with(kDataExtension) || folded.size() == kDataExtension.size()) {
        return std::nullopt;
    }
    return NameParts{folded.substr(0, folded.size() - kDataExtension.size()),
                     std::u16string(kDataExtension)};
}

// What lies between the base and ".dat" in a copy of one data file.
bool isCopyMiddle(std::u16string_view middle) {
    if (middle.size() >= 2 && middle.front() == u'-') {
        return true; // "-<PC name>"
    }
    const std::u16string_view trimmed =
        middle.starts_with(u' ') ? middle.substr(1) : middle; // " (…)" or "(…)"
    if (trimmed.size() >= 3 && trimmed.front() == u'(' && trimmed.back() == u')') {
        return true;
    }
    return middle.starts_with(u".sync-conflict-") && middle.size() > 15;
}

bool isCopyOf(const std::u16string& folded, const NameParts& data) {
    const std::u16string whole = data.base + data.extension;
    if (folded == whole) {
        return false;
    }
    // "pw_set1.dat.~<…>": an editor's or a sync client's temporary copy.
    if (folded.starts_with(whole + u".~") && folded.size() > whole.size() + 2) {
        return true;
    }
    if (!folded.starts_with(data.base) || !folded.ends_with(data.extension) ||
        folded.size() <= whole.size()) {
        return false;
    }
    return isCopyMiddle(std::u16string_view(folded).substr(
        data.base.size(), folded.size() - data.base.size() - data.extension.size()));
}

} // namespace

bool isConflictCopyName(std::u16string_view name, std::span<const std::u16string> dataFileNames) {
    const std::u16string folded = foldAsciiCase(name);
    return std::any_of(dataFileNames.begin(), dataFileNames.end(), [&](const auto& data) {
        const std::optional<NameParts> parts = partsOf(data);
        return parts && isCopyOf(folded, *parts);
    });
}

std::vector<std::u16string> conflictCopies(std::span<const std::u16string> names,
                                           std::span<const std::u16string> dataFileNames) {
    std::vector<std::u16string> copies;
    for (const std::u16string& name : names) {
        if (isConflictCopyName(name, dataFileNames)) {
            copies.push_back(name);
        }
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::optional<std::u16string> partnerFileName(std::u16string_view listFileName,
                                              std::u16string_view listName,
                                              std::u16string_view passwordName) {
    const std::optional<NameParts> list = partsOf(listName);
    const std::optional<NameParts> passwords = partsOf(passwordName);
    if (!list || !passwords) {
        return std::nullopt;
    }
    const std::size_t at = foldAsciiCase(listFileName).find(list->base);
    if (at == std::u16string::npos) {
        return std::nullopt;
    }
    std::u16string partner(listFileName);
    partner.replace(at, list->base.size(),
                    std::u16string(passwordName).substr(0, passwords->base.size()));
    return partner;
}

} // namespace kavo
