#include "store/data_files_win.h"

#include "store/file_messages_win.h"

namespace kavo {

namespace {

constexpr DWORD kChunkBytes = 64 * 1024;
constexpr std::wstring_view kTemporarySuffix = L".new";

bool showing(FileMessages messages) {
    return messages == FileMessages::On;
}

bool readAll(HANDLE file, Bytes& out) {
    Bytes chunk(kChunkBytes);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk.data(), kChunkBytes, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        out.insert(out.end(), chunk.begin(), chunk.begin() + read);
    }
}

bool writeAll(HANDLE file, const Bytes& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD want = static_cast<DWORD>(
            content.size() - done < kChunkBytes ? content.size() - done : kChunkBytes);
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, want, &written, nullptr) || written != want) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != 0;
}

// The old file must be writable by us now, as an in-place rewrite would need: a read-only file
// or one held open by another program is refused before anything is written.
bool targetAcceptsWrites(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(file);
    return true;
}

} // namespace

std::wstring currentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) {
        // Too long for a data path: later opens fail and report it.
        return std::wstring();
    }
    return std::wstring(buffer, length);
}

std::wstring dataFilePath(const std::wstring& dataDirectory, std::wstring_view fileName) {
    std::wstring path = dataDirectory;
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    path += fileName;
    return path;
}

std::optional<Bytes> readDataFile(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  FileMessages messages, HWND owner) {
    SetCurrentDirectoryW(dataDirectory.c_str());
    const std::wstring path = dataFilePath(dataDirectory, fileName);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (showing(messages)) {
            showOpenFailure(owner);
        }
        return std::nullopt;
    }
    Bytes bytes;
    const bool complete = readAll(file, bytes);
    const bool closed = CloseHandle(file) != 0;
    if (!complete) {
        if (showing(messages)) {
            showOpenFailure(owner);
        }
        return std::nullopt;
    }
    if (!closed) {
        if (showing(messages)) {
            showCloseFailure(owner, fileName);
        }
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<std::u16string>> readTextFile(const std::wstring& dataDirectory,
                                                        std::wstring_view fileName,
                                                        FileMessages messages, HWND owner) {
    const std::optional<Bytes> bytes = readDataFile(dataDirectory, fileName, messages, owner);
    if (!bytes) {
        return std::nullopt;
    }
    auto lines = splitTextFile(*bytes);
    if (!lines && showing(messages)) {
        showMarkFailure(owner, fileName);
    }
    return lines;
}

bool writeStoreFile(HWND owner, const std::wstring& dataDirectory, std::wstring_view fileName,
                    FileMessages messages, const Bytes& content) {
    SetCurrentDirectoryW(dataDirectory.c_str());
    const std::wstring path = dataFilePath(dataDirectory, fileName);
    const std::wstring temporary = path + std::wstring(kTemporarySuffix);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (targetAcceptsWrites(path)) {
        // A leftover of an interrupted save must not block this one.
        SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        if (showing(messages)) {
            showOpenFailure(owner);
        }
        return false;
    }
    const bool written = writeAll(file, content);
    if (!CloseHandle(file)) {
        DeleteFileW(temporary.c_str());
        if (showing(messages)) {
            showCloseFailure(owner, fileName);
        }
        return false;
    }
    if (!written || !MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        if (showing(messages)) {
            showOpenFailure(owner);
        }
        return false;
    }
    return true;
}

} // namespace kavo
