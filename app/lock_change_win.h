// What the main window does when the lock may have changed, whatever changed it: revealed
// passwords never stay on screen under a closed lock, and the menu, caption and colour follow.
#pragma once

namespace kavo {

struct App;

// Masks the revealed passwords (and stops the reveal timer) when editing is no longer allowed,
// updates the move items and repaints.
void onLockChanged(App& app);

} // namespace kavo
