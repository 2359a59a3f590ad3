// Watches the keyboard of the whole desktop through raw input, so a paste in any program can
// advance the sequence, also while KAVO is inactive or hidden.
#pragma once

#include <windows.h>

#include "sequencer/paste_detector.h"
#include "sequencer/sequence.h"

namespace kavo {

// Keyboard raw input for the window, even when it does not have the focus.
void registerKeyboardWatch(HWND window);

// One WM_INPUT: a paste seen by the detector starts the sequence's paste delay.
void onRawInput(HRAWINPUT input, PasteDetector& detector, ClipboardSequence& sequence);

} // namespace kavo
