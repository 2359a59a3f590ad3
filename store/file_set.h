// Saving several data files as one: either every file is replaced by its new content, or none is.
// Each save writes its new files completely beside the old ones, then puts them in place one by
// one, keeping each old file as a backup until all are in place. The names of those files carry
// the save's generation, so a save interrupted by a crash is recognised later and finished or
// undone (recoverFileSet) before the files are read or saved again.
#pragma once

#include "store/text_lines.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// What saving needs of the file system. Names are file names inside the data directory; every
// operation says whether it did what it promises.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // A regular file of that name exists (a folder does not count).
    virtual bool isFile(std::u16string_view name) const = 0;
    // The regular files whose names start with the prefix.
    virtual std::vector<std::u16string> filesStartingWith(std::u16string_view prefix) const = 0;
    // The existing file may be replaced now: it is not read-only and no program holds it open.
    virtual bool canReplace(std::u16string_view name) const = 0;
    // Creates a file that does not exist yet with the whole content, flushed to the disk. On
    // failure nothing of it is left behind.
    virtual bool writeNewFile(std::u16string_view name, std::span<const std::uint8_t> content) = 0;
    // Puts the replacement in the target's place and keeps the old target under the backup
    // name. The new file takes over the old one's attributes, access rights and links.
    virtual bool replaceFile(std::u16string_view target, std::u16string_view replacement,
                             std::u16string_view backup) = 0;
    // Renames a file, replacing an existing file of the new name.
    virtual bool moveFile(std::u16string_view from, std::u16string_view to) = 0;
    virtual bool removeFile(std::u16string_view name) = 0;
    // The whole content of a regular file of at most maxBytes; nullopt otherwise.
    virtual std::optional<Bytes> readFile(std::u16string_view name, std::size_t maxBytes) const = 0;
    // Copies an existing file to a name that does not exist yet, flushed to the disk. On failure
    // nothing of the copy is left behind.
    virtual bool copyFile(std::u16string_view from, std::u16string_view to) = 0;
    // writeNewFile for a file in the making that nobody should open, back up or sync: hidden
    // and marked temporary.
    virtual bool writeHiddenFile(std::u16string_view name, std::span<const std::uint8_t> content) {
        return writeNewFile(name, content);
    }
    // Makes a file that writeHiddenFile wrote an ordinary one.
    virtual bool unhideFile(std::u16string_view) { return true; }
};

struct FileToSave {
    std::u16string name;
    Bytes content;
};

struct SaveOutcome {
    bool saved = false;
    // The file whose step failed; empty when everything was saved.
    std::u16string failedFile;
    // The old files could not all be put back after the failure; the next save or start of the
    // program finishes that, since the backups are kept.
    bool restorePending = false;
};

// Replaces the files in the order given, all or none. The save id ("<hex>-<hex>") names this
// save's files beside the data files and must be new to the data directory (the caller makes it
// from the process and the time). An interrupted earlier save of the same files is finished or
// undone first; a save is refused while that cannot be done.
SaveOutcome saveFileSet(FileSystem& fs, std::span<const FileToSave> files,
                        std::u16string_view saveId);

struct RecoveryOutcome {
    // False while an interrupted save could not be undone yet: the files on disk may not belong
    // together, so they must be neither read nor replaced.
    bool consistent = true;
    // The first file that could not be put back, when not consistent.
    std::u16string blockedFile;
};

// Undoes every interrupted save of these files (named in the order they are saved) and removes
// what earlier saves left behind. Only files of the exact form a save writes
// ("<name>.kavo-<hex>-<hex>.new|old|none") are ever touched, and of an earlier version's files
// only "<name>.new" is removed; anything else in the directory belongs to the user.
RecoveryOutcome recoverFileSet(FileSystem& fs, std::span<const std::u16string> names);

} // namespace kavo
