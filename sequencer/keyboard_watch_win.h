// Watches the keyboard of the whole desktop through raw input, so a paste in any program can
// advance the sequence, also while KAVO is inactive or hidden.
#pragma once

#include <windows.h>

#include "sequencer/paste_detector.h"
#include "sequencer/sequence.h"

namespace kavo {

// Keyboard raw input for the window, even when it does not have the focus; and watches for
// desktop switches (a UAC prompt, Ctrl+Alt+Del) and for the keyboard going to a window of a
// higher integrity level, which make the detector forget its Ctrl.
void registerKeyboardWatch(HWND window, PasteDetector& detector);
// Ends the desktop-switch watch; the raw input ends with the window.
void unregisterKeyboardWatch();

// One WM_INPUT: a paste seen by the detector starts the sequence's paste delay. The caller
// still passes the message on to DefWindowProc.
void onRawInput(HRAWINPUT input, PasteDetector& detector, ClipboardSequence& sequence);

} // namespace kavo
