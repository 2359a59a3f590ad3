#include "store/data_files_win.h"

#include "store/data_directory_files_win.h"
#include "store/file_messages_win.h"
#include "store/load_report.h"
#include "store/sharing_retry_win.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

bool showing(FileMessages messages) {
    return messages == FileMessages::On;
}

enum class ReadResult { Ok, Failed, TooLarge };

ReadResult readAll(HANDLE file, std::size_t maxBytes, Bytes& out) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        return ReadResult::Failed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return ReadResult::TooLarge;
    }
    // Room for one byte more than the size, so a file that grew meanwhile is noticed.
    out.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == out.size()) {
            if (done > maxBytes) {
                return ReadResult::TooLarge;
            }
            out.resize(std::min(out.size() * 2, maxBytes + 1));
        }
        DWORD read = 0;
        if (!ReadFile(file, out.data() + done, static_cast<DWORD>(out.size() - done), &read,
                      nullptr)) {
            return ReadResult::Failed;
        }
        if (read == 0) {
            out.resize(done);
            return ReadResult::Ok;
        }
        done += read;
    }
}

// Unique among the saves of this directory: the process and the time, in lowercase hexadecimal.
std::u16string newSaveId() {
    wchar_t id[40] = {};
    wsprintfW(id, L"%lx-%lx", GetCurrentProcessId(), static_cast<unsigned long>(GetTickCount()));
    return fromWide(id);
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

FileRead readWholeFile(const std::wstring& path, std::size_t maxBytes) {
    // Others may read the file meanwhile, or a sync client rename it; nobody may write it.
    OwnedFile file =
        openRetryingWhileHeld(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) {
        return {FileReadStatus::OpenFailed, {}};
    }
    FileRead read;
    const ReadResult result = readAll(file.get(), maxBytes, read.bytes);
    const bool closed = file.close();
    if (result != ReadResult::Ok) {
        return {result == ReadResult::TooLarge ? FileReadStatus::TooLarge
                                               : FileReadStatus::OpenFailed,
                {}};
    }
    if (!closed) {
        return {FileReadStatus::CloseFailed, {}};
    }
    return read;
}

std::optional<Bytes> readDataFile(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  std::size_t maxBytes, FileMessages messages, HWND owner) {
    SetCurrentDirectoryW(dataDirectory.c_str());
    FileRead read = readWholeFile(dataFilePath(dataDirectory, fileName), maxBytes);
    if (read.status == FileReadStatus::Ok) {
        return std::move(read.bytes);
    }
    if (showing(messages)) {
        switch (read.status) {
        case FileReadStatus::Ok:
        case FileReadStatus::OpenFailed:
            showOpenFailure(owner);
            break;
        case FileReadStatus::TooLarge:
            showTooLarge(owner, fileName);
            break;
        case FileReadStatus::CloseFailed:
            showCloseFailure(owner, fileName);
            break;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::u16string>> readTextFile(const std::wstring& dataDirectory,
                                                        std::wstring_view fileName,
                                                        std::size_t maxBytes, FileMessages messages,
                                                        HWND owner) {
    const std::optional<Bytes> bytes =
        readDataFile(dataDirectory, fileName, maxBytes, messages, owner);
    if (!bytes) {
        return std::nullopt;
    }
    auto lines = splitTextFile(*bytes);
    if (!lines && showing(messages)) {
        showMarkFailure(owner, fileName);
    }
    return lines;
}

bool saveDataFiles(HWND owner, const std::wstring& dataDirectory, std::span<const FileToSave> files,
                   FileMessages messages) {
    SetCurrentDirectoryW(dataDirectory.c_str());
    DataDirectoryFiles directory(dataDirectory);
    const SaveOutcome outcome = saveFileSet(directory, files, newSaveId());
    if (!outcome.saved && showing(messages)) {
        showSaveFailure(owner, toWide(outcome.failedFile), outcome.restorePending);
    }
    return outcome.saved;
}

ExportOutcome exportFileSafely(const std::wstring& directory, std::wstring_view fileName,
                               std::span<const std::uint8_t> content) {
    DataDirectoryFiles files(directory);
    return exportFile(files, fromWide(fileName), content, newSaveId());
}

RecoveryOutcome recoverDataFiles(const std::wstring& dataDirectory,
                                 std::span<const std::u16string> names) {
    DataDirectoryFiles directory(dataDirectory);
    return recoverFileSet(directory, names);
}

bool isDataFile(const std::wstring& dataDirectory, std::wstring_view fileName) {
    const DWORD attributes = GetFileAttributesW(dataFilePath(dataDirectory, fileName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

KeptPair keepDataFilesAside(const std::wstring& dataDirectory,
                            std::span<const std::u16string> sources,
                            std::span<const std::u16string> names, KeptPairKind kind) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t stamp[32] = {};
    wsprintfW(stamp, L"%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
              now.wMinute, now.wSecond);
    DataDirectoryFiles directory(dataDirectory);
    return keepPairAside(directory, sources, names, kind, fromWide(stamp));
}

} // namespace kavo
