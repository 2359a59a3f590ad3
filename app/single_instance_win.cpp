#include "app/single_instance_win.h"
#include "win/message_box_win.h"

#include "app/app_state_win.h"
#include "app/data_folder_key.h"
#include "app/main_window_win.h"
#include "app/open_box_win.h"
#include "app/tray_icon_win.h"
#include "resources/texts.h"
#include "win/wide_text_win.h"

#include <cstdint>
#include <cwchar>

namespace kavo {

namespace {

// A window property that names the folder of the KAVO whose main window carries it.
constexpr wchar_t kFolderMark[] = L"KAVO.DataFolder";
constexpr wchar_t kBringForwardMessageName[] = L"KAVO.BringForward";
// A first KAVO that has just taken the folder may take a moment to make its window; one that is
// ending lets the folder go. Meanwhile a later start looks again.
constexpr DWORD kLookAgainMs = 100;
constexpr DWORD kLookForMs = 10000;
constexpr int kClassNameCapacity = 64;

// The folder as the file system names it, links, substituted drives and short names resolved,
// in capitals since file names compare without letter case.
std::wstring resolvedFolderPath(const std::wstring& dataDirectory) {
    std::wstring path = dataDirectory;
    const OwnedFile folder(CreateFileW(
        dataDirectory.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (folder) {
        const DWORD needed = GetFinalPathNameByHandleW(folder.get(), nullptr, 0, 0);
        std::wstring resolved(needed, L'\0');
        const DWORD length =
            needed > 0 ? GetFinalPathNameByHandleW(folder.get(), resolved.data(), needed, 0) : 0;
        if (length > 0 && length < needed) {
            resolved.resize(length);
            path = resolved;
        }
    }
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

HANDLE markValue(std::uint64_t key) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(key));
}

struct Search {
    std::uint64_t key;
    HWND found;
};

BOOL CALLBACK matchMarkedWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[kClassNameCapacity] = {};
    GetClassNameW(window, className, kClassNameCapacity);
    if (std::wcscmp(className, kMainWindowClass) == 0 &&
        GetPropW(window, kFolderMark) == markValue(search->key)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findMarkedWindow(std::uint64_t key) {
    Search search{key, nullptr};
    EnumWindows(matchMarkedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when the lock is this process's now: it was free, or its holder ended without letting go.
bool take(HANDLE lock) {
    const DWORD result = WaitForSingleObject(lock, 0);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void askToComeForward(HWND window) {
    // This start came from the user, so it may hand the foreground on to the first KAVO.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(window, bringForwardMessage(), 0, 0);
}

} // namespace

std::optional<DataFolderClaim> claimDataFolder(const std::wstring& dataDirectory) {
    DataFolderClaim claim;
    claim.key = dataFolderKey(fromWide(resolvedFolderPath(dataDirectory)));
    const std::wstring name = toWide(dataFolderLockName(claim.key));
    claim.lock.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    for (DWORD waited = 0; waited <= kLookForMs; waited += kLookAgainMs) {
        // A lock this process may not open belongs to another user's KAVO on the folder.
        if (claim.lock && take(claim.lock.get())) {
            return claim;
        }
        if (HWND first = findMarkedWindow(claim.key)) {
            askToComeForward(first);
            return std::nullopt;
        }
        Sleep(kLookAgainMs);
    }
    showMessageBox(nullptr, kAlreadyRunningText, kProgramCaption, MB_OK | MB_ICONINFORMATION);
    return std::nullopt;
}

void markDataFolderWindow(HWND window, std::uint64_t folderKey) {
    SetPropW(window, kFolderMark, markValue(folderKey));
    // A later start may run with less privilege than this one; its message still comes through.
    ChangeWindowMessageFilterEx(window, bringForwardMessage(), MSGFLT_ALLOW, nullptr);
}

void unmarkDataFolderWindow(HWND window) {
    RemovePropW(window, kFolderMark);
}

UINT bringForwardMessage() {
    static const UINT message = RegisterWindowMessageW(kBringForwardMessageName);
    return message;
}

void onBringForward(App& app) {
    if (app.tray.inTray()) {
        restoreFromTray(app);
    } else if (IsIconic(app.mainWindow)) {
        ShowWindow(app.mainWindow, SW_RESTORE);
    }
    if (boxOpen(app)) {
        bringOpenBoxForward(app);
    } else {
        SetForegroundWindow(app.mainWindow);
    }
}

} // namespace kavo
