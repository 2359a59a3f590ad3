// The program-wide state: created once in the program entry and reached by the window and
// dialog procedures through one pointer.
#pragma once

#include <windows.h>

#include "app/folder_watch_win.h"
#include "app/sequence_host_win.h"
#include "app/session_watch.h"
#include "app/single_instance_win.h"
#include "app/tray_icon_win.h"
#include "dialogs/entry_dialog.h"
#include "dialogs/find_box_win.h"
#include "lock/lock_state.h"
#include "sequencer/keyboard_watch_win.h"
#include "sequencer/paste_detector.h"
#include "sequencer/sequence.h"
#include "sequencer/table_entry_source.h"
#include "settings/screen_scale.h"
#include "settings/settings_record.h"
#include "store/entry_table.h"
#include "store/list_view_win.h"
#include "store/data_store_win.h"
#include "store/password_file.h"
#include "store/store_contents.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace kavo {

// Table messages belong to the main window; the reveal timer runs on it for pwShowMs.
class MainWindowTableHost final : public TableHost {
  public:
    MainWindowTableHost(HWND window, const SettingsRecord& settings)
        : window_(window), settings_(settings) {}
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    void startRevealTimer() override;
    void passwordsShown(bool shown) override;

  private:
    HWND window_;
    const SettingsRecord& settings_;
};

struct App {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND toolbar = nullptr;
    // Small state icons at the size of the session's scale (the tray's), indexed by sequence
    // state: idle, ID phase, PW phase.
    StateIcons stateIcons;

    // The settings of the run: the window's rectangle and the columns in screen pixels.
    SettingsRecord settings;
    // The scale of the main window's monitor, and the list's font made for it (none while the
    // list keeps its own, at the system's scale).
    int windowDpi = kBaseDpi;
    OwnedGdiObject listFont;
    // The columns' widths at 96 DPI as the last change of scale left them.
    std::array<int, kCellCount> columnBase{};
    int screenWidth = 0;
    int screenHeight = 0;
    // The data folder and its files.
    DataStore dataStore;

    // What the two data files hold beside the table's rows, and whether it changed since a save.
    StoreContents store;
    bool unlocked = false;
    // From here to the sequence: what works on the main window, built once it exists. The list
    // on screen, which only shows the table: its place, marks and cells.
    std::unique_ptr<ListViewRows> rows;
    std::unique_ptr<MainWindowTableHost> tableHost;
    std::unique_ptr<EntryTable> table;
    // The find box over the list, and the text last looked for.
    std::unique_ptr<FindBox> findBox;
    // The edit dialog's COPY/PASTE buffer: empty at start, kept across openings of the dialog.
    ScratchEntry scratchEntry;

    // The clipboard sequence of the selected entry and the Ctrl+V watch that paces it.
    std::unique_ptr<TableEntrySource> sequenceEntries;
    std::unique_ptr<MainWindowSequenceHost> sequenceHost;
    std::unique_ptr<ClipboardSequence> sequence;
    PasteDetector pasteDetector;
    KeyboardWatch keyboardWatch;
    // Solid backgrounds of the ID and PW phases; the idle ones are stock brushes.
    OwnedGdiObject idPhaseBrush;
    OwnedGdiObject pwPhaseBrush;

    // The tray icon; while it is there the main window is hidden.
    TrayIcon tray;
    // The data folder this run has taken; no second KAVO works on it meanwhile.
    std::optional<DataFolderClaim> folderClaim;
    // Windows is ending the session: KAVO finishes without waiting for anyone.
    bool sessionEnding = false;
    // The master password of protected files was not given at start: the window never showed,
    // and nothing is written on the way out.
    bool endedAtStart = false;
    // Whether a locked Windows session can lock KAVO yet.
    SessionWatch sessionWatch;
    // Changes other programs make to the data files while KAVO runs.
    FolderWatch folderWatch;

    // Pass mode switches the lock off; otherwise editing needs the master password this run.
    bool editingAllowed() const { return kavo::editingAllowed(unlocked, settings.passMode); }
    // Builds the table and the sequence over the main window and its list, by their handles.
    void attachWindow(HWND window, HWND list);
    // The sequence's state; idle before the window exists.
    SequenceState sequenceState() const {
        return sequence ? sequence->state() : SequenceState::Idle;
    }
    // Title, background and icon for the sequence and lock state as they are now.
    Presentation presentation() const {
        return presentationFor(sequenceState(), unlocked, settings.passMode);
    }
};

} // namespace kavo
