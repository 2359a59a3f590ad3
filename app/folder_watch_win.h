// Taking in a newer copy of the data files that another program (a sync client, KAVO on another
// PC) wrote while this KAVO runs without unsaved changes. A thread of its own waits for change
// notifications on the data folder and only posts a message; the main window then looks at the
// files on a timer until they have settled as a whole pair, and reads them again.
#pragma once

#include <windows.h>

#include "store/pair_fingerprint.h"
#include "win/owned_handles_win.h"

#include <string>

namespace kavo {

struct App;

class FolderWatch {
  public:
    FolderWatch() = default;
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    ~FolderWatch() { stop(); }

    // Starts watching the folder; each change posts the message to the window. Silent when the
    // folder cannot be watched: saves still check the files.
    void start(const std::wstring& folder, HWND window, UINT message);
    void stop();

    // What the looks at the files have seen since the last change noticed.
    SettledChange settled;

  private:
    static DWORD WINAPI run(void* self);

    OwnedHandle thread_;
    OwnedHandle stopEvent_;
    HANDLE notification_ = INVALID_HANDLE_VALUE;
    HWND window_ = nullptr;
    UINT message_ = 0;
};

// A change was noticed: the files are looked at until they settle.
void onDataFolderChanged(App& app);
// One look at the files; reads them again once they have settled as a whole pair while there are
// no unsaved changes, no sequence runs and no box is open.
void onFolderCheckTimer(App& app);

} // namespace kavo
