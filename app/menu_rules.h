// Which menu items the lock grays, and which commands it refuses. Recomputed every time a menu
// opens or a command arrives; never stored.
#pragma once

#include <cstdint>
#include <vector>

namespace kavo {

struct MenuItemState {
    int id;
    bool enabled;
};

// For the popup about to open, in the order they are applied: the editing items follow the
// lock, then "unlock" is grayed in pass mode (there is nothing to unlock).
std::vector<MenuItemState> popupItemStates(bool unlocked, std::int32_t passMode);

// The two move items of the window's own menu.
std::vector<MenuItemState> moveItemStates(bool unlocked, std::int32_t passMode);

// The commands the lock guards: exactly the items it grays. A command can reach the window by
// other routes than its menu item, so the handlers check this too.
bool isEditingCommand(int commandId);

} // namespace kavo
