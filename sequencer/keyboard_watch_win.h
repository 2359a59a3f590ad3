// Watches the keyboard of the whole desktop through raw input, so a paste in any program can
// advance the sequence, also while KAVO is inactive or hidden.
#pragma once

#include <windows.h>

#include "sequencer/paste_detector.h"
#include "sequencer/sequence.h"
#include "win/owned_handles_win.h"

namespace kavo {

// Keyboard raw input for a window, even when it does not have the focus; and a watch for desktop
// switches (a UAC prompt, Ctrl+Alt+Del) and for the keyboard going to a window of a higher
// integrity level, which make the detector forget its Ctrl. Lives as long as the window's watch.
class KeyboardWatch {
  public:
    KeyboardWatch() = default;
    ~KeyboardWatch() { stop(); }
    KeyboardWatch(const KeyboardWatch&) = delete;
    KeyboardWatch& operator=(const KeyboardWatch&) = delete;

    void start(HWND window, PasteDetector& detector);
    // Ends the desktop-switch and foreground watch; the raw input ends with the window.
    void stop();

    // What the win event callbacks, which carry no context of their own, do on this thread.
    void onDesktopSwitch();
    void onForeground(HWND window);

  private:
    HWND window_ = nullptr;
    PasteDetector* detector_ = nullptr;
    DWORD ownIntegrity_ = 0;
    OwnedWinEventHook desktopSwitchHook_;
    OwnedWinEventHook foregroundHook_;
};

// One WM_INPUT: a paste seen by the detector starts the sequence's paste delay. The caller
// still passes the message on to DefWindowProc.
void onRawInput(HRAWINPUT input, PasteDetector& detector, ClipboardSequence& sequence);

} // namespace kavo
