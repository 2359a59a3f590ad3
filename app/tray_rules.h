// What the tray icon does with the mouse, and which state icon it shows.
#pragma once

#include "sequencer/sequence.h"

#include <cstdint>

namespace kavo {

enum class TrayClickAction { Nothing, Restore, ShowMenu };

// The tray callback carries the icon id and the mouse message that happened over the icon (the
// classic format). A double-click restores the window, a right-button press opens the menu;
// anything else, and any other icon, does nothing.
TrayClickAction trayClickAction(std::uintptr_t iconId, std::intptr_t mouseMessage);

// The tray shows the same state icon as the window's small icon; the lock plays no part.
StateIcon trayIconFor(SequenceState state);

} // namespace kavo
