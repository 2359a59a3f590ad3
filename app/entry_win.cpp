// Program entry: where DLLs may come from first, then the data folder claimed for this run, then
// the settings (they fix the data directory and the window rectangle), a word if that folder
// will not keep the data, then the main window, then the message loop until the window is
// destroyed.
#include <windows.h>
#include "win/message_box_win.h"

#include "app/app_state_win.h"
#include "app/data_folder_check_win.h"
#include "app/shortcut_keys_win.h"
#include "app/main_window_win.h"
#include "app/single_instance_win.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/settings_file_win.h"
#include "settings/window_rectangle_win.h"
#include "store/data_files_win.h"
#include "win/wide_text_win.h"

namespace {

// DLLs loaded from here on (input methods, shell extensions, themes) come from the system folder
// only, never from the data directory, where anyone who can write there could plant one. A
// Windows 7 without the update that brought SetDefaultDllDirectories still drops the current
// directory from the search.
void restrictDllSearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    restrictDllSearch();

    kavo::App app;
    app.instance = instance;

    // Before any file is read or tidied: a KAVO already running on this folder has come forward,
    // and this one leaves everything alone.
    app.folderClaim = kavo::claimDataFolder(kavo::currentDirectory());
    if (!app.folderClaim) {
        return 0;
    }
    app.dataStore.captureFolder();
    kavo::loadSettings(app.settings, app.dataStore.folder());
    // Before the load, so that the first start's missing-file boxes that follow in such a folder
    // read as the consequence this message announces.
    kavo::warnAboutDataFolder(app.dataStore.folder());
    const kavo::ScreenSize screen = kavo::readScreenSize();
    app.screenWidth = screen.width;
    app.screenHeight = screen.height;
    // The file's numbers repaired, then in the pixels of the monitor the window opens on.
    app.settings = kavo::settingsOnScreen(app.settings, kavo::readDisplayLayout());

    if (!kavo::registerMainWindowClass(instance)) {
        return 0;
    }
    HWND window = kavo::createMainWindow(app);
    if (window == nullptr && app.endedAtStart) {
        return 0;
    }
    if (window == nullptr) {
        kavo::showMessageBox(nullptr, kavo::kNoWindowText, kavo::kProgramCaption,
                             MB_OK | MB_ICONERROR);
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    const HACCEL shortcuts = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_FIND_KEYS));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (kavo::takeShortcutMessage(app, shortcuts, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
