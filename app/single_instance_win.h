// One KAVO per data folder. Two KAVOs on one folder would save over each other's files, so a
// second start there brings the first KAVO's window forward and ends; a KAVO on another folder
// runs on its own.
#pragma once

#include <windows.h>

#include "win/owned_handles_win.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kavo {

struct App;

// The data folder taken for this run: kept while this object lives.
struct DataFolderClaim {
    std::uint64_t key = 0;
    OwnedHandle lock;
};

// Takes the data folder for this run. Nothing when another KAVO already has it: that one has
// been asked to come forward (or the user told, when it does not answer), and this run ends
// without touching anything.
std::optional<DataFolderClaim> claimDataFolder(const std::wstring& dataDirectory);

// Marks the main window as the one of the claimed folder, so that a later start finds it, and
// removes the mark again before the window goes.
void markDataFolderWindow(HWND window, std::uint64_t folderKey);
void unmarkDataFolderWindow(HWND window);

// The message a later start sends the first KAVO's main window.
UINT bringForwardMessage();
// Shows the window, out of the notification area or the taskbar, and brings it (or the box it
// has open) to the front.
void onBringForward(App& app);

} // namespace kavo
