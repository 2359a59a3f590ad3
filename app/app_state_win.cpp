#include "app/app_state_win.h"

#include "app/repaint_win.h"
#include "app/tray_icon_win.h"
#include "win/message_box_win.h"
#include "win/timer_ids.h"

namespace kavo {

void MainWindowTableHost::showMessage(std::u16string_view text, std::u16string_view caption) {
    showOkMessage(window_, text, caption);
}

void App::attachWindow(HWND window, HWND list) {
    mainWindow = window;
    rows = std::make_unique<ListViewRows>(list);
    tableHost = std::make_unique<MainWindowTableHost>(window, settings);
    table = std::make_unique<EntryTable>(*rows, store, *tableHost);
    findBox = std::make_unique<FindBox>(*table);
    sequenceEntries = std::make_unique<TableEntrySource>(*table);
    sequenceHost = std::make_unique<MainWindowSequenceHost>(
        window, settings, stateIcons, [this] { refreshTrayIcon(*this); },
        [this] { repaintMainWindow(*this); });
    sequence = std::make_unique<ClipboardSequence>(*sequenceEntries, settings, *sequenceHost);
}

// Revealed passwords are kept out of screen captures and shares; where Windows does not know the
// exclusion yet, the window shows black in them instead.
void MainWindowTableHost::passwordsShown(bool shown) {
    if (!shown) {
        SetWindowDisplayAffinity(window_, WDA_NONE);
    } else if (!SetWindowDisplayAffinity(window_, WDA_EXCLUDEFROMCAPTURE)) {
        SetWindowDisplayAffinity(window_, WDA_MONITOR);
    }
}

void MainWindowTableHost::startRevealTimer() {
    SetTimer(window_, kRevealTimerId, static_cast<UINT>(settings_.pwShowMs), nullptr);
}

} // namespace kavo
