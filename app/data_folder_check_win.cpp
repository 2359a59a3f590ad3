#include "app/data_folder_check_win.h"
#include "win/message_box_win.h"

#include <windows.h>

#include "app/data_folder_check.h"
#include "resources/texts.h"
#include "store/data_files_win.h"
#include "win/owned_handles_win.h"
#include "win/system_library_win.h"
#include "win/wide_text_win.h"

#include <shlobj.h>

namespace kavo {

namespace {

// Windows hands temporary folders out in their short form (C:\Users\ABCDEF~1\...) when the
// user's name is long or not ASCII, while the current directory comes in its long form.
std::u16string longForm(const std::wstring& path) {
    // A short name always holds a "~"; asking the file system for each folder of a path is slow
    // enough to be felt at every start.
    if (path.find(L'~') == std::wstring::npos) {
        return fromWide(path);
    }
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return fromWide(path);
    }
    return fromWide(std::wstring_view(buffer, length));
}

void addPath(std::vector<std::u16string>& roots, const std::wstring& path) {
    if (!path.empty()) {
        roots.push_back(longForm(path));
    }
}

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

// A folder of the system by the variable Windows sets for it at log-on; only without one is shell32
// asked, which costs a start more than the rest of this check (it brings ole32 and more with it).
std::wstring knownFolder(int csidl, const wchar_t* variable) {
    if (std::wstring set = environment(variable); !set.empty()) {
        return set;
    }
    auto* ask = systemFunction<decltype(SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (ask == nullptr ||
        FAILED(ask(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return std::wstring();
    }
    return path;
}

std::wstring tempPath() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

std::wstring windowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

SystemFolders systemFolders() {
    SystemFolders folders;
    addPath(folders.temporary, tempPath());
    addPath(folders.temporary, environment(L"TEMP"));
    addPath(folders.temporary, environment(L"TMP"));
    // Where Explorer unpacks an exe started from inside a zip, also when TEMP points elsewhere,
    // and where mail and browser downloads opened in place land.
    const std::wstring localAppData = knownFolder(CSIDL_LOCAL_APPDATA, L"LOCALAPPDATA");
    if (!localAppData.empty()) {
        addPath(folders.temporary, localAppData + L"\\Temp");
        // The browsers' cache, where a download opened in place may run from.
        addPath(folders.temporary, localAppData + L"\\Microsoft\\Windows\\INetCache");
    }
    addPath(folders.programFiles, knownFolder(CSIDL_PROGRAM_FILES, L"ProgramFiles"));
    addPath(folders.programFiles, knownFolder(CSIDL_PROGRAM_FILESX86, L"ProgramFiles(x86)"));
    addPath(folders.programFiles, environment(L"ProgramW6432"));
    addPath(folders.windows, knownFolder(CSIDL_WINDOWS, L"SystemRoot"));
    addPath(folders.windows, windowsFolder());
    folders.userProfile = longForm(knownFolder(CSIDL_PROFILE, L"USERPROFILE"));
    return folders;
}

// Creates a file no one else can have named and lets Windows delete it as it is closed, so the
// folder keeps no trace of the probe; only a refusal counts, not a name taken by chance.
bool canWriteIn(const std::wstring& folder) {
    for (unsigned attempt = 0; attempt < 8; ++attempt) {
        wchar_t name[64] = {};
        wsprintfW(name, L"kavo-write-check-%lx-%lx.tmp", GetCurrentProcessId(),
                  static_cast<unsigned long>(GetTickCount() + attempt));
        const std::wstring path = dataFilePath(folder, name);
        OwnedFile probe(CreateFileW(
            path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        const DWORD error = GetLastError();
        if (probe) {
            return true;
        }
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return true;
}

} // namespace

void warnAboutDataFolder(const std::wstring& dataDirectory) {
    // Too long a path is reported by the opens that follow.
    if (dataDirectory.empty()) {
        return;
    }
    const std::u16string folder = longForm(dataDirectory);
    DataFolderProblem problem = dataFolderProblem(folder, systemFolders());
    if (problem == DataFolderProblem::None && !canWriteIn(dataDirectory)) {
        problem = DataFolderProblem::NotWritable;
    }
    if (problem != DataFolderProblem::None) {
        showMessageBox(nullptr, dataFolderWarning(problem, folder), kDataFolderCaption,
                       MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    }
}

} // namespace kavo
