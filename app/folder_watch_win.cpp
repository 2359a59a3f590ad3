#include "app/folder_watch_win.h"

#include "app/app_state_win.h"
#include "app/open_box_win.h"
#include "win/timer_ids.h"

namespace kavo {

namespace {

// How often the files are looked at while a change settles.
constexpr UINT kFolderCheckMs = 500;
constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

// The row of the entry with this title and ID, or -1.
int rowOfEntry(const EntryTable& table, const Entry& wanted) {
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<Entry> entry = table.entryAt(row);
        if (entry && entry->title == wanted.title && entry->id == wanted.id) {
            return row;
        }
    }
    return -1;
}

void takeInNewerFiles(App& app) {
    const std::optional<Entry> selected = app.table->selectedEntry();
    app.dataStore.reload(*app.table, app.store, app.mainWindow);
    if (selected) {
        const int row = rowOfEntry(*app.table, *selected);
        if (row >= 0) {
            app.table->selectOnly(row);
        }
    }
}

} // namespace

void FolderWatch::start(const std::wstring& folder, HWND window, UINT message) {
    stop();
    window_ = window;
    message_ = message;
    notification_ = FindFirstChangeNotificationW(folder.c_str(), FALSE, kWatchedChanges);
    stopEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (notification_ == INVALID_HANDLE_VALUE || !stopEvent_) {
        stop();
        return;
    }
    thread_.reset(CreateThread(nullptr, 0, &FolderWatch::run, this, 0, nullptr));
    if (!thread_) {
        stop();
    }
}

void FolderWatch::stop() {
    if (thread_) {
        SetEvent(stopEvent_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    if (notification_ != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(notification_);
        notification_ = INVALID_HANDLE_VALUE;
    }
    stopEvent_.reset();
}

DWORD WINAPI FolderWatch::run(void* self) {
    auto* watch = static_cast<FolderWatch*>(self);
    const HANDLE waits[] = {watch->stopEvent_.get(), watch->notification_};
    for (;;) {
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woke != WAIT_OBJECT_0 + 1) {
            return 0;
        }
        // Only a message crosses to the main window's thread; it does all the work.
        PostMessageW(watch->window_, watch->message_, 0, 0);
        if (!FindNextChangeNotification(watch->notification_)) {
            return 0;
        }
    }
}

void onDataFolderChanged(App& app) {
    SetTimer(app.mainWindow, kFolderCheckTimerId, kFolderCheckMs, nullptr);
}

void onFolderCheckTimer(App& app) {
    const auto stopLooking = [&app] {
        KillTimer(app.mainWindow, kFolderCheckTimerId);
        app.folderWatch.settled.reset();
    };
    // With unsaved changes nothing interrupts the user: the save's check decides.
    if (app.store.dirty) {
        stopLooking();
        return;
    }
    // A running sequence ends first, and an open box is answered first.
    if (app.sequenceState() != SequenceState::Idle || boxOpen(app)) {
        return;
    }
    switch (app.folderWatch.settled.look(app.dataStore.notedFiles(), app.dataStore.filesOnDisk(),
                                         GetTickCount64())) {
    case SettledChange::Verdict::Wait:
        return;
    case SettledChange::Verdict::Nothing:
        stopLooking();
        return;
    case SettledChange::Verdict::TakeIn:
        stopLooking();
        takeInNewerFiles(app);
        return;
    }
}

} // namespace kavo
