// The one answer to "is a box of KAVO's open?". Every modal box KAVO shows over its window (its
// dialogs, the common file dialogs, the message boxes) disables the main window for as long as
// it is open, so Windows itself keeps the answer.
#pragma once

namespace kavo {

struct App;

// True while a modal box of KAVO's is open over the main window.
bool boxOpen(const App& app);
// Brings the open box to the front, so the user sees what KAVO is waiting for.
void bringOpenBoxForward(const App& app);

} // namespace kavo
