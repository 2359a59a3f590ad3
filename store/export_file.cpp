#include "store/export_file.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr std::u16string_view kExportTag = u".kavo-export-";
constexpr std::u16string_view kNewSuffix = u".new";
constexpr std::u16string_view kOldSuffix = u".old";
// As the save ids are written: two parts of at most 16 lowercase hexadecimal digits.
constexpr std::size_t kMaxIdPartDigits = 16;

std::u16string sideFile(std::u16string_view name, std::u16string_view saveId,
                        std::u16string_view suffix) {
    std::u16string file(name);
    file += kExportTag;
    file += saveId;
    file += suffix;
    return file;
}

bool isIdPart(std::u16string_view part) {
    return !part.empty() && part.size() <= kMaxIdPartDigits &&
           std::all_of(part.begin(), part.end(), [](char16_t unit) {
               return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f');
           });
}

// A file of exactly the export's side-file form, beside any target; a name of the user's that
// merely looks alike (another tag, no id, another suffix) is not.
bool isExportSideFile(std::u16string_view file) {
    if (!file.ends_with(kNewSuffix) && !file.ends_with(kOldSuffix)) {
        return false;
    }
    file.remove_suffix(kNewSuffix.size());
    const std::size_t tag = file.rfind(kExportTag);
    if (tag == std::u16string_view::npos || tag == 0) {
        return false;
    }
    const std::u16string_view id = file.substr(tag + kExportTag.size());
    const std::size_t dash = id.find(u'-');
    return dash != std::u16string_view::npos && isIdPart(id.substr(0, dash)) &&
           isIdPart(id.substr(dash + 1));
}

void removeSideFile(FileSystem& fs, const std::u16string& file, ExportOutcome& outcome) {
    if (fs.isFile(file) && !fs.removeFile(file)) {
        outcome.leftBehind.push_back(file);
    }
}

} // namespace

ExportOutcome exportFile(FileSystem& fs, std::u16string_view name,
                         std::span<const std::uint8_t> content, std::u16string_view saveId) {
    ExportOutcome outcome;
    // An export cut short left the passwords in clear text beside its target: they go first.
    for (const std::u16string& file : fs.filesStartingWith(u"")) {
        if (isExportSideFile(file)) {
            removeSideFile(fs, file, outcome);
        }
    }
    const std::u16string fresh = sideFile(name, saveId, kNewSuffix);
    const std::u16string backup = sideFile(name, saveId, kOldSuffix);
    if (!fs.writeHiddenFile(fresh, content)) {
        removeSideFile(fs, fresh, outcome);
        return outcome;
    }
    if (!fs.isFile(name)) {
        if (fs.moveFile(fresh, name)) {
            outcome.written = fs.unhideFile(name);
            // A hidden file the user never sees is no export; it is ours, so it goes.
            if (!outcome.written && !fs.removeFile(name)) {
                outcome.leftBehind.push_back(std::u16string(name));
            }
        }
    } else if (fs.canReplace(name)) {
        outcome.written = fs.replaceFile(name, fresh, backup);
        if (!outcome.written && !fs.isFile(name) && fs.isFile(backup) &&
            !fs.moveFile(backup, name)) {
            // A replace cut in half moved the old file aside and it cannot go back: it stays
            // under the side name, which the message gives, rather than be removed.
            outcome.leftBehind.push_back(backup);
            removeSideFile(fs, fresh, outcome);
            return outcome;
        }
    }
    removeSideFile(fs, fresh, outcome);
    removeSideFile(fs, backup, outcome);
    return outcome;
}

} // namespace kavo
