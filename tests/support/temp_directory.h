// A fresh, empty directory for one test; removed with its files after.
#pragma once

#include <windows.h>

#include "store/text_lines.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kavo::testing {

class TempDirectory {
  public:
    TempDirectory() : TempDirectory(tempFolder()) {}
    // A fresh directory inside the given folder (ending in a backslash).
    explicit TempDirectory(const std::wstring& base) {
        for (unsigned n = GetTickCount();; ++n) {
            path_ = base + L"kavo-test-" + std::to_wstring(n);
            if (CreateDirectoryW(path_.c_str(), nullptr) ||
                GetLastError() != ERROR_ALREADY_EXISTS) {
                break;
            }
        }
    }
    ~TempDirectory() {
        SetCurrentDirectoryW(L"C:\\");
        removeTree(path_);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

    Bytes read(const std::wstring& name) const {
        Bytes bytes;
        HANDLE handle = CreateFileW(file(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return bytes;
        }
        std::uint8_t chunk[4096];
        DWORD got = 0;
        while (ReadFile(handle, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        CloseHandle(handle);
        return bytes;
    }

    void write(const std::wstring& name, const Bytes& bytes) const {
        HANDLE handle =
            CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
    }

    bool exists(const std::wstring& name) const {
        return GetFileAttributesW(file(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Everything in the directory, files and folders, sorted by name.
    std::vector<std::wstring> names() const { return namesIn(path_); }

    static std::vector<std::wstring> namesIn(const std::wstring& directory) {
        std::vector<std::wstring> found;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name != L"." && name != L"..") {
                    found.push_back(name);
                }
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        std::sort(found.begin(), found.end());
        return found;
    }

  private:
    // The folder and everything in it, folders inside included (a save's backup folder).
    static void removeTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                const std::wstring file = folder + L"\\" + name;
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    if (name != L"." && name != L"..") {
                        removeTree(file);
                    }
                    continue;
                }
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    // A folder of the user's own, not the temp folder: KAVO warns at start about a data folder
    // that Windows may empty.
    static std::wstring tempFolder() {
        wchar_t profile[MAX_PATH] = {};
        GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
        const std::wstring base = std::wstring(profile) + L"\\kavo-tests\\";
        CreateDirectoryW(base.c_str(), nullptr);
        return base;
    }

    std::wstring path_;
};

} // namespace kavo::testing
