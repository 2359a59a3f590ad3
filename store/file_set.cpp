#include "store/file_set.h"

#include <algorithm>
#include <set>

namespace kavo {

namespace {

// The files a save makes beside each data file: "<name>.kavo-<save id>.<kind>".
constexpr std::u16string_view kNewKind = u"new";   // the new content, before it is in place
constexpr std::u16string_view kOldKind = u"old";   // the old file, kept until all are in place
constexpr std::u16string_view kNoneKind = u"none"; // marks a file that did not exist before
constexpr std::u16string_view kGenerationTag = u"kavo-";
// Earlier versions wrote "<name>.new" and never cleaned it up after a crash. Nothing else of
// theirs is known, so that name is only ever removed and never drives an undo.
constexpr std::u16string_view kLegacyNewSuffix = u".new";
// A save id has two parts of hexadecimal digits, as makeSaveId writes them.
constexpr std::size_t kMaxSaveIdPartDigits = 16;

std::u16string sideFile(std::u16string_view name, std::u16string_view generation,
                        std::u16string_view kind) {
    std::u16string file(name);
    file += u'.';
    file += generation;
    file += u'.';
    file += kind;
    return file;
}

bool isHexPart(std::u16string_view part) {
    return !part.empty() && part.size() <= kMaxSaveIdPartDigits &&
           std::all_of(part.begin(), part.end(), [](char16_t unit) {
               return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f');
           });
}

// "kavo-<hex>-<hex>", and nothing a person would name a copy of their own.
bool isGeneration(std::u16string_view text) {
    if (!text.starts_with(kGenerationTag)) {
        return false;
    }
    const std::u16string_view id = text.substr(kGenerationTag.size());
    const std::size_t dash = id.find(u'-');
    return dash != std::u16string_view::npos && isHexPart(id.substr(0, dash)) &&
           isHexPart(id.substr(dash + 1));
}

// The generations of saves that left files beside one of the names.
std::set<std::u16string> leftoverGenerations(const FileSystem& fs,
                                             std::span<const std::u16string> names) {
    std::set<std::u16string> generations;
    for (const std::u16string& name : names) {
        const std::u16string prefix = name + u'.';
        for (const std::u16string& file : fs.filesStartingWith(prefix)) {
            const std::u16string_view rest = std::u16string_view(file).substr(prefix.size());
            const std::size_t dot = rest.rfind(u'.');
            if (dot == std::u16string_view::npos || !isGeneration(rest.substr(0, dot))) {
                continue; // a file of the user's, not of ours
            }
            const std::u16string_view kind = rest.substr(dot + 1);
            if (kind == kNewKind || kind == kOldKind || kind == kNoneKind) {
                generations.insert(std::u16string(rest.substr(0, dot)));
            }
        }
    }
    return generations;
}

void removeLegacyLeftovers(FileSystem& fs, std::span<const std::u16string> names) {
    for (const std::u16string& name : names) {
        const std::u16string leftover = name + std::u16string(kLegacyNewSuffix);
        if (fs.isFile(leftover)) {
            fs.removeFile(leftover); // one that stays only waits for the next try
        }
    }
}

void removeIfPresent(FileSystem& fs, const std::u16string& file, bool& allGone) {
    if (fs.isFile(file) && !fs.removeFile(file)) {
        allGone = false;
    }
}

// Removes what a finished or never started save left; failures only leave the files for later.
void removeSideFiles(FileSystem& fs, std::span<const std::u16string> names,
                     std::u16string_view generation) {
    bool ignored = true;
    for (const std::u16string& name : names) {
        removeIfPresent(fs, sideFile(name, generation, kOldKind), ignored);
        removeIfPresent(fs, sideFile(name, generation, kNoneKind), ignored);
        removeIfPresent(fs, sideFile(name, generation, kNewKind), ignored);
    }
}

// Puts every old file of the generation back. The new file of the last name goes last: while it
// exists the save counts as unfinished, so an undo cut short is taken up again next time. Names the
// first file that could not be put back, if any.
bool undoSave(FileSystem& fs, std::span<const std::u16string> names, std::u16string_view generation,
              std::u16string* blockedFile = nullptr) {
    bool restored = true;
    for (const std::u16string& name : names) {
        const std::u16string backup = sideFile(name, generation, kOldKind);
        bool placed = true;
        if (fs.isFile(backup)) {
            placed = fs.moveFile(backup, name);
        } else if (fs.isFile(sideFile(name, generation, kNoneKind))) {
            removeIfPresent(fs, name, placed);
        }
        if (!placed && restored && blockedFile != nullptr) {
            *blockedFile = fs.isFile(backup) ? backup : name;
        }
        restored = restored && placed;
    }
    if (!restored) {
        return false;
    }
    for (const std::u16string& name : names) {
        removeIfPresent(fs, sideFile(name, generation, kNoneKind), restored);
    }
    for (const std::u16string& name : names) {
        removeIfPresent(fs, sideFile(name, generation, kNewKind), restored);
    }
    return true;
}

// A save has started putting files in place once it keeps an old file or has marked a missing
// one; it has finished once the new file of the last name has been put in place.
bool isUnfinished(const FileSystem& fs, std::span<const std::u16string> names,
                  std::u16string_view generation) {
    const bool started = std::any_of(names.begin(), names.end(), [&](const std::u16string& name) {
        return fs.isFile(sideFile(name, generation, kOldKind)) ||
               fs.isFile(sideFile(name, generation, kNoneKind));
    });
    return started && fs.isFile(sideFile(names.back(), generation, kNewKind));
}

std::vector<std::u16string> namesOf(std::span<const FileToSave> files) {
    std::vector<std::u16string> names;
    for (const FileToSave& file : files) {
        names.push_back(file.name);
    }
    return names;
}

} // namespace

RecoveryOutcome recoverFileSet(FileSystem& fs, std::span<const std::u16string> names) {
    RecoveryOutcome outcome;
    if (names.empty()) {
        return outcome;
    }
    removeLegacyLeftovers(fs, names);
    for (const std::u16string& generation : leftoverGenerations(fs, names)) {
        if (!isUnfinished(fs, names, generation)) {
            removeSideFiles(fs, names, generation);
        } else if (!undoSave(fs, names, generation,
                             outcome.consistent ? &outcome.blockedFile : nullptr)) {
            outcome.consistent = false;
        }
    }
    return outcome;
}

SaveOutcome saveFileSet(FileSystem& fs, std::span<const FileToSave> files,
                        std::u16string_view saveId) {
    if (files.empty()) {
        return {true, {}, false};
    }
    const std::u16string generation = std::u16string(kGenerationTag) + std::u16string(saveId);
    const std::vector<std::u16string> names = namesOf(files);
    if (const RecoveryOutcome recovery = recoverFileSet(fs, names); !recovery.consistent) {
        return {false, recovery.blockedFile, true};
    }
    // Nothing is written while an old file cannot be replaced: read-only, or held open.
    for (const FileToSave& file : files) {
        if (fs.isFile(file.name) && !fs.canReplace(file.name)) {
            return {false, file.name, false};
        }
    }
    // Every new file is complete on the disk before any old one is touched.
    for (const FileToSave& file : files) {
        const bool missing = !fs.isFile(file.name);
        if (!fs.writeNewFile(sideFile(file.name, generation, kNewKind), file.content) ||
            (missing && !fs.writeNewFile(sideFile(file.name, generation, kNoneKind), {}))) {
            removeSideFiles(fs, names, generation);
            return {false, file.name, false};
        }
    }
    for (const FileToSave& file : files) {
        const std::u16string replacement = sideFile(file.name, generation, kNewKind);
        const bool placed =
            fs.isFile(sideFile(file.name, generation, kNoneKind))
                ? fs.moveFile(replacement, file.name)
                : fs.replaceFile(file.name, replacement, sideFile(file.name, generation, kOldKind));
        if (!placed) {
            const bool restored = undoSave(fs, names, generation);
            return {false, file.name, !restored};
        }
    }
    removeSideFiles(fs, names, generation);
    return {true, {}, false};
}

} // namespace kavo
