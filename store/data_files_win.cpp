#include "store/data_files_win.h"

#include "app/wide_text_win.h"
#include "store/data_directory_files_win.h"
#include "store/file_messages_win.h"

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

// Unique among the saves of this directory: the process and the time, in hexadecimal.
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

std::optional<Bytes> readDataFile(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  std::size_t maxBytes, FileMessages messages, HWND owner) {
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
    const ReadResult result = readAll(file, maxBytes, bytes);
    const bool closed = CloseHandle(file) != 0;
    if (result != ReadResult::Ok) {
        if (showing(messages)) {
            if (result == ReadResult::TooLarge) {
                showTooLarge(owner, fileName);
            } else {
                showOpenFailure(owner);
            }
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

void recoverDataFiles(const std::wstring& dataDirectory, std::span<const std::u16string> names) {
    DataDirectoryFiles directory(dataDirectory);
    recoverFileSet(directory, names);
}

} // namespace kavo
