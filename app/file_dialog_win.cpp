#include "app/file_dialog_win.h"

#include "win/owned_handles_win.h"
#include "win/system_library_win.h"

namespace kavo {

namespace {

// Room for a long path, as the file dialogs hand it back.
constexpr DWORD kPathUnits = 4096;

} // namespace

PathParts splitPath(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return {L".", path};
    }
    return {path.substr(0, slash == 0 ? 1 : slash), path.substr(slash + 1)};
}

OPENFILENAMEW fileDialog(HWND owner, std::wstring& path, const std::wstring& filter,
                         const wchar_t* defaultExtension) {
    path.resize(kPathUnits);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathUnits;
    dialog.lpstrDefExt = defaultExtension;
    return dialog;
}

// The file dialogs live in comdlg32, loaded only when one is asked for. Without it the dialog
// counts as cancelled.
bool askForFile(OPENFILENAMEW& dialog, const char* function, std::wstring& path) {
    auto* ask = systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", function);
    if (ask == nullptr || ask(&dialog) == FALSE) {
        return false;
    }
    path.resize(wcslen(path.c_str()));
    return true;
}

// Two paths to one existing file, however each is spelt (a short name, a link, another mapping).
bool sameFile(const std::wstring& a, const std::wstring& b) {
    const auto identity = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
        const OwnedFile file(
            CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return file && GetFileInformationByHandle(file.get(), &info) != 0;
    };
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identity(a, first) && identity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

} // namespace kavo
