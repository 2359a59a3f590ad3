// The main window as the clipboard sequence sees it: clipboard, timers, stacking moves,
// state icon and repaint.
#pragma once

#include <windows.h>

#include "sequencer/sequence.h"
#include "settings/settings_record.h"
#include "win/owned_handles_win.h"

#include <array>
#include <functional>
#include <utility>

namespace kavo {

// Small (16 x 16) state icons: idle, ID phase, PW phase.
using StateIcons = std::array<OwnedIcon, 3>;

class MainWindowSequenceHost final : public SequenceHost {
  public:
    MainWindowSequenceHost(HWND window, SettingsRecord& settings, const StateIcons& stateIcons,
                           std::function<void()> refreshTray, std::function<void()> repaint)
        : window_(window), settings_(settings), stateIcons_(stateIcons),
          refreshTray_(std::move(refreshTray)), repaint_(std::move(repaint)) {}

    bool putClipboardText(std::u16string_view text, int patienceMs) override;
    ClipboardWrite replaceOwnClipboardText(std::u16string_view ownText, std::u16string_view text,
                                           int patienceMs) override;
    void setSequenceTimer(int ms) override;
    void killSequenceTimer() override;
    void setPasteTimer(int ms) override;
    void killPasteTimer() override;
    void setRetryTimer(int ms) override;
    void killRetryTimer() override;
    void moveWindow(StackingMove move) override;
    void storeWindowPosition() override;
    void setSmallIcon(StateIcon icon) override;
    void refreshTrayIcon() override;
    void repaint() override;

  private:
    HWND window_;
    SettingsRecord& settings_;
    const StateIcons& stateIcons_;
    std::function<void()> refreshTray_;
    std::function<void()> repaint_; // caption and background after a change of state
};

// The loaded small icon of a state (the array holds idle, ID phase, PW phase).
HICON stateIconHandle(const StateIcons& stateIcons, StateIcon icon);

} // namespace kavo
