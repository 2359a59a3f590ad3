#include "store/kept_pair.h"

#include "store/protected_file.h"

#include <optional>
#include <set>
#include <string>

namespace kavo {

namespace {

// Copies larger than this are never compared, only made: no data file of KAVO's comes close.
constexpr std::size_t kMaxComparedBytes = 16 * 1024 * 1024;
// Copies made within the same second get "-2", "-3", ... after the stamp.
constexpr int kMaxStampsPerSecond = 100;

std::u16string_view kindTag(KeptPairKind kind) {
    switch (kind) {
    case KeptPairKind::AsFound:
        return u"as-found-";
    case KeptPairKind::UnsavedChanges:
        return u"unsaved-";
    case KeptPairKind::OtherVersion:
        break;
    }
    return u"other-";
}

constexpr std::u16string_view kKeptSuffix = u".bak";

// The stamps of the pairs of this kind already beside the data files.
std::set<std::u16string> earlierStamps(const FileSystem& fs, std::span<const std::u16string> names,
                                       KeptPairKind kind) {
    std::set<std::u16string> stamps;
    for (const std::u16string& name : names) {
        const std::u16string prefix = name + u'.' + std::u16string(kindTag(kind));
        for (const std::u16string& file : fs.filesStartingWith(prefix)) {
            if (file.size() > prefix.size() + kKeptSuffix.size() && file.ends_with(kKeptSuffix)) {
                stamps.insert(
                    file.substr(prefix.size(), file.size() - prefix.size() - kKeptSuffix.size()));
            }
        }
    }
    return stamps;
}

bool sameFileState(const FileSystem& fs, const std::u16string& source, const std::u16string& copy) {
    if (fs.isFile(source) != fs.isFile(copy)) {
        return false;
    }
    if (!fs.isFile(source)) {
        return true;
    }
    const std::optional<Bytes> now = fs.readFile(source, kMaxComparedBytes);
    const std::optional<Bytes> kept = fs.readFile(copy, kMaxComparedBytes);
    return now && kept && *now == *kept;
}

std::vector<std::u16string> copiesUnder(std::span<const std::u16string> names, KeptPairKind kind,
                                        std::u16string_view stamp) {
    std::vector<std::u16string> copies;
    for (const std::u16string& name : names) {
        copies.push_back(keptAsideName(name, kind, stamp));
    }
    return copies;
}

bool anyExists(const FileSystem& fs, const std::vector<std::u16string>& files) {
    for (const std::u16string& file : files) {
        if (fs.isFile(file)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string keptAsideName(std::u16string_view fileName, KeptPairKind kind,
                             std::u16string_view stamp) {
    std::u16string name(fileName);
    name += u'.';
    name += kindTag(kind);
    name += stamp;
    name += kKeptSuffix;
    return name;
}

std::u16string recoveryPairName(std::u16string_view fileName) {
    return std::u16string(fileName) + u".kavo-unsaved";
}

KeptPair keepPairAside(FileSystem& fs, std::span<const std::u16string> sources,
                       std::span<const std::u16string> names, KeptPairKind kind,
                       std::u16string_view stamp) {
    KeptPair outcome;
    const auto present = [&](const std::vector<std::u16string>& copies) {
        std::vector<std::u16string> made;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (fs.isFile(sources[i])) {
                made.push_back(copies[i]);
            }
        }
        return made;
    };
    for (const std::u16string& earlier : earlierStamps(fs, names, kind)) {
        const std::vector<std::u16string> copies = copiesUnder(names, kind, earlier);
        bool same = true;
        for (std::size_t i = 0; i < sources.size() && same; ++i) {
            same = sameFileState(fs, sources[i], copies[i]);
        }
        if (same) {
            outcome.kept = true;
            outcome.alreadyKept = true;
            outcome.copies = present(copies);
            return outcome;
        }
    }

    std::u16string unique(stamp);
    for (int n = 2; n <= kMaxStampsPerSecond && anyExists(fs, copiesUnder(names, kind, unique));
         ++n) {
        unique = std::u16string(stamp) + u'-';
        for (const char digit : std::to_string(n)) {
            unique += static_cast<char16_t>(digit);
        }
    }
    const std::vector<std::u16string> copies = copiesUnder(names, kind, unique);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!fs.isFile(sources[i])) {
            continue;
        }
        if (!fs.copyFile(sources[i], copies[i])) {
            for (const std::u16string& made : outcome.copies) {
                fs.removeFile(made);
            }
            return KeptPair{false, false, {}, sources[i]};
        }
        outcome.copies.push_back(copies[i]);
    }
    outcome.kept = true;
    return outcome;
}

std::vector<std::u16string> readableCopies(const FileSystem& fs,
                                           std::span<const std::u16string> names) {
    std::vector<std::u16string> copies;
    for (const std::u16string& name : names) {
        std::vector<std::u16string> candidates;
        for (const KeptPairKind kind : {KeptPairKind::AsFound, KeptPairKind::UnsavedChanges}) {
            const std::u16string prefix = name + u'.' + std::u16string(kindTag(kind));
            for (std::u16string& file : fs.filesStartingWith(prefix)) {
                if (file.size() > prefix.size() + kKeptSuffix.size() &&
                    file.ends_with(kKeptSuffix)) {
                    candidates.push_back(std::move(file));
                }
            }
        }
        if (fs.isFile(recoveryPairName(name))) {
            candidates.push_back(recoveryPairName(name));
        }
        for (std::u16string& file : candidates) {
            // One too large to read is no copy of a data file's; it is left alone.
            const auto bytes = fs.readFile(file, kMaxComparedBytes);
            if (bytes && !isContainer(*bytes)) {
                copies.push_back(std::move(file));
            }
        }
    }
    return copies;
}

} // namespace kavo
