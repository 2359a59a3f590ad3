#include "store/synced_folder_win.h"

#include "store/backup_generations.h"
#include "store/conflict_copies.h"
#include "store/data_files_win.h"
#include "store/password_file.h"
#include "store/protected_file.h"
#include "store/list_file.h"
#include "win/owned_handles_win.h"
#include "win/wide_text_win.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr std::size_t kMaxFingerprintBytes = std::max(kMaxListFileBytes, kMaxPasswordFileBytes);

// What the directory says of a file, without opening it: present, size and time stamp.
FileFingerprint statOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileFingerprint{};
    }
    FileFingerprint stat;
    stat.present = true;
    stat.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stat.lastWrite = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
    return stat;
}

struct FolderEntry {
    std::u16string name;
    bool folder = false;
};

std::vector<FolderEntry> entriesOf(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    const OwnedFind search(FindFirstFileW(dataFilePath(folder, L"*").c_str(), &found));
    if (!search) {
        return entries;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            entries.push_back(
                {fromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        }
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

// The folder a path lies in.
std::wstring splitFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::u16string stampNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return generationStamp(
        LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
}

bool removeFileEvenReadOnly(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != 0;
}

void removeGeneration(const std::wstring& folder) {
    for (const FolderEntry& inside : entriesOf(folder)) {
        removeFileEvenReadOnly(dataFilePath(folder, toWide(inside.name)));
    }
    RemoveDirectoryW(folder.c_str());
}

// The folders in the backup folder, each with the names of what it holds.
std::vector<GenerationFolder> foldersIn(const std::wstring& backups) {
    std::vector<GenerationFolder> folders;
    for (const FolderEntry& entry : entriesOf(backups)) {
        if (!entry.folder) {
            continue;
        }
        GenerationFolder generation{entry.name, {}};
        for (const FolderEntry& inside : entriesOf(dataFilePath(backups, toWide(entry.name)))) {
            // A folder inside makes it no generation of KAVO's.
            generation.contents.push_back(inside.folder ? inside.name + u"\\" : inside.name);
        }
        folders.push_back(std::move(generation));
    }
    return folders;
}

void removeOldGenerations(const std::wstring& backups, std::span<const std::u16string, 2> names) {
    for (const std::u16string& old : generationsToRemove(foldersIn(backups), names)) {
        removeGeneration(dataFilePath(backups, toWide(old)));
    }
}

} // namespace

FileFingerprint fingerprintOfRead(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  const std::optional<std::vector<std::uint8_t>>& bytes) {
    const FileFingerprint stat = statOf(dataFilePath(dataDirectory, fileName));
    if (!stat.present || !bytes) {
        // There, but not readable: its size and time stamp are all there is to go by.
        return stat;
    }
    return fingerprintOf(*bytes, stat.lastWrite);
}

PairFingerprint fingerprintOnDisk(const std::wstring& dataDirectory,
                                  std::span<const std::u16string, 2> names) {
    std::array<FileFingerprint, 2> files;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring name = toWide(names[i]);
        FileRead read = readWholeFile(dataFilePath(dataDirectory, name), kMaxFingerprintBytes);
        files[i] =
            fingerprintOfRead(dataDirectory, name,
                              read.status == FileReadStatus::Ok
                                  ? std::optional<std::vector<std::uint8_t>>(std::move(read.bytes))
                                  : std::nullopt);
    }
    return PairFingerprint{files[0], files[1]};
}

GenerationOutcome keepGeneration(const std::wstring& dataDirectory,
                                 std::span<const std::u16string, 2> names) {
    const std::wstring backups = dataFilePath(dataDirectory, toWide(kBackupFolderName));
    const bool anyPresent = std::any_of(names.begin(), names.end(), [&](const auto& name) {
        return isDataFile(dataDirectory, toWide(name));
    });
    if (!anyPresent) {
        return GenerationOutcome{true, {}};
    }
    GenerationOutcome outcome{false, backups};
    if (!CreateDirectoryW(backups.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return outcome;
    }
    std::vector<std::u16string> existing;
    for (const FolderEntry& entry : entriesOf(backups)) {
        existing.push_back(entry.name);
    }
    const std::wstring folder =
        dataFilePath(backups, toWide(newGenerationName(stampNow(), existing)));
    outcome.folder = folder;
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        return outcome;
    }
    for (const std::u16string& name : names) {
        const std::wstring wide = toWide(name);
        if (!isDataFile(dataDirectory, wide)) {
            continue;
        }
        // Copied as it is, attributes and all; a copy that fails leaves no half generation.
        if (!CopyFileW(dataFilePath(dataDirectory, wide).c_str(),
                       dataFilePath(folder, wide).c_str(), TRUE)) {
            removeGeneration(folder);
            RemoveDirectoryW(backups.c_str()); // only when nothing else is in it
            return outcome;
        }
    }
    outcome.kept = true;
    removeOldGenerations(backups, names);
    return outcome;
}

void dropGeneration(const GenerationOutcome& generation) {
    if (!generation.kept || generation.folder.empty()) {
        return;
    }
    removeGeneration(generation.folder);
    RemoveDirectoryW(splitFolder(generation.folder).c_str());
}

std::vector<std::u16string> clearGenerationsIn(const std::wstring& dataDirectory,
                                               std::span<const std::u16string, 2> names) {
    const std::wstring backups = dataFilePath(dataDirectory, toWide(kBackupFolderName));
    std::vector<std::u16string> clear;
    for (const GenerationFolder& generation : foldersIn(backups)) {
        if (!isOwnGeneration(generation, names)) {
            continue;
        }
        const std::wstring folder = dataFilePath(backups, toWide(generation.name));
        const bool readable =
            std::any_of(generation.contents.begin(), generation.contents.end(), [&](auto& file) {
                const FileRead read =
                    readWholeFile(dataFilePath(folder, toWide(file)), kMaxFingerprintBytes);
                return read.status == FileReadStatus::Ok && !isContainer(read.bytes);
            });
        if (readable) {
            clear.push_back(std::u16string(kBackupFolderName) + u'\\' + generation.name);
        }
    }
    return clear;
}

bool removeGenerationIn(const std::wstring& dataDirectory, std::u16string_view generation) {
    const std::wstring folder = dataFilePath(dataDirectory, toWide(generation));
    removeGeneration(folder);
    return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::vector<std::u16string> conflictCopiesIn(const std::wstring& dataDirectory,
                                             std::span<const std::u16string, 2> names) {
    std::vector<std::u16string> files;
    for (const FolderEntry& entry : entriesOf(dataDirectory)) {
        if (!entry.folder) {
            files.push_back(entry.name);
        }
    }
    return conflictCopies(files, names);
}

} // namespace kavo
