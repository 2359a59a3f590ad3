#include "store/data_directory_files_win.h"

#include "store/data_files_win.h"
#include "store/sharing_retry_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

constexpr DWORD kChunkBytes = 64 * 1024;
// What SetFileAttributesW can set again on a file.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;

bool isRegularFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

bool writeAllAndFlush(HANDLE file, std::span<const std::uint8_t> content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, kChunkBytes));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, want, &written, nullptr) || written != want) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != 0;
}

std::wstring DataDirectoryFiles::path(std::u16string_view name) const {
    return dataFilePath(directory_, toWide(name));
}

bool DataDirectoryFiles::isFile(std::u16string_view name) const {
    return isRegularFile(path(name));
}

std::vector<std::u16string>
DataDirectoryFiles::filesStartingWith(std::u16string_view prefix) const {
    std::vector<std::u16string> found;
    const std::wstring widePrefix = toWide(prefix);
    WIN32_FIND_DATAW entry;
    const OwnedFind search(FindFirstFileW(path(std::u16string(prefix) + u"*").c_str(), &entry));
    if (!search) {
        return found;
    }
    do {
        // The pattern also matches short 8.3 names; only the real name counts.
        const std::wstring_view name = entry.cFileName;
        const bool matches =
            name.size() >= widePrefix.size() &&
            CompareStringOrdinal(name.data(), static_cast<int>(widePrefix.size()),
                                 widePrefix.data(), static_cast<int>(widePrefix.size()),
                                 TRUE) == CSTR_EQUAL;
        if (matches && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            found.push_back(fromWide(name));
        }
    } while (FindNextFileW(search.get(), &entry));
    return found;
}

bool DataDirectoryFiles::canReplace(std::u16string_view name) const {
    const std::wstring target = path(name);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // Replacing it renames it, which needs delete access: that open fails while another program
    // holds the file without sharing deletion. A reader that shares it does not stand in the way.
    return static_cast<bool>(openRetryingWhileHeld(
        target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
}

bool DataDirectoryFiles::writeNewFile(std::u16string_view name,
                                      std::span<const std::uint8_t> content) {
    return createFile(name, content, FILE_ATTRIBUTE_NORMAL);
}

bool DataDirectoryFiles::writeHiddenFile(std::u16string_view name,
                                         std::span<const std::uint8_t> content) {
    return createFile(name, content, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY);
}

bool DataDirectoryFiles::unhideFile(std::u16string_view name) {
    return SetFileAttributesW(path(name).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool DataDirectoryFiles::createFile(std::u16string_view name, std::span<const std::uint8_t> content,
                                    DWORD attributes) {
    const std::wstring file = path(name);
    OwnedFile handle = openRetryingWhileHeld(file.c_str(), GENERIC_WRITE, 0, CREATE_NEW,
                                             attributes | FILE_FLAG_SEQUENTIAL_SCAN);
    if (!handle) {
        return false;
    }
    const bool written = writeAllAndFlush(handle.get(), content);
    const bool closed = handle.close();
    if (!written || !closed) {
        DeleteFileW(file.c_str());
        return false;
    }
    return true;
}

bool DataDirectoryFiles::replaceFile(std::u16string_view target, std::u16string_view replacement,
                                     std::u16string_view backup) {
    const std::wstring targetPath = path(target);
    const DWORD attributes = GetFileAttributesW(targetPath.c_str());
    const std::wstring replacementPath = path(replacement);
    const std::wstring backupPath = path(backup);
    if (!retryWhileHeld([&] {
            return ReplaceFileW(targetPath.c_str(), replacementPath.c_str(), backupPath.c_str(), 0,
                                nullptr, nullptr) != 0;
        })) {
        return false;
    }
    // Windows carries the attributes over; not every file system layer does, and a data file
    // the user hid must stay hidden.
    const DWORD now = GetFileAttributesW(targetPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && now != INVALID_FILE_ATTRIBUTES &&
        (now & kSettableAttributes) != (attributes & kSettableAttributes)) {
        const DWORD wanted = attributes & kSettableAttributes;
        SetFileAttributesW(targetPath.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    return true;
}

bool DataDirectoryFiles::moveFile(std::u16string_view from, std::u16string_view to) {
    const std::wstring fromPath = path(from);
    const std::wstring toPath = path(to);
    return retryWhileHeld([&] {
        return MoveFileExW(fromPath.c_str(), toPath.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

bool DataDirectoryFiles::removeFile(std::u16string_view name) {
    const std::wstring file = path(name);
    if (!retryWhileHeld([&] { return DeleteFileW(file.c_str()) != 0; })) {
        // A leftover copy someone made read-only still goes.
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
    }
    return !isRegularFile(file);
}

std::optional<Bytes> DataDirectoryFiles::readFile(std::u16string_view name,
                                                  std::size_t maxBytes) const {
    FileRead read = readWholeFile(path(name), maxBytes);
    if (read.status != FileReadStatus::Ok) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

bool DataDirectoryFiles::copyFile(std::u16string_view from, std::u16string_view to) {
    const std::wstring fromPath = path(from);
    const std::wstring toPath = path(to);
    if (!retryWhileHeld([&] { return CopyFileW(fromPath.c_str(), toPath.c_str(), TRUE) != 0; })) {
        return false;
    }
    // CopyFileW leaves the copy in the cache; a copy kept for safety must be on the disk.
    OwnedFile copy(CreateFileW(toPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy || !FlushFileBuffers(copy.get()) || !copy.close()) {
        DeleteFileW(toPath.c_str());
        return false;
    }
    return true;
}

} // namespace kavo
