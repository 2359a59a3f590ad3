#include "app/menu_rules.h"

#include "lock/lock_state.h"
#include "resources/resource.h"

namespace kavo {

namespace {

constexpr int kEditingItems[] = {IDC_CMD_ADD,       IDC_CMD_INSERT,    IDC_CMD_EDIT,
                                 IDC_CMD_DELETE,    IDC_CMD_BULK_TYPE, IDC_CMD_CHANGE_PASSWORD,
                                 IDC_CMD_MOVE_UP,   IDC_CMD_MOVE_DOWN, IDC_CMD_REVEAL,
                                 IDC_CMD_IMPORT,    IDC_CMD_EXPORT,    IDC_CMD_MERGE,
                                 IDC_CMD_PROTECTION};

} // namespace

std::vector<MenuItemState> popupItemStates(bool unlocked, std::int32_t passMode) {
    std::vector<MenuItemState> states;
    const bool allowed = editingAllowed(unlocked, passMode);
    for (int id : kEditingItems) {
        states.push_back({id, allowed});
    }
    states.push_back({IDC_CMD_UNLOCK, !isPassMode(passMode)});
    return states;
}

bool isEditingCommand(int commandId) {
    for (int id : kEditingItems) {
        if (id == commandId) {
            return true;
        }
    }
    return false;
}

std::vector<MenuItemState> moveItemStates(bool unlocked, std::int32_t passMode) {
    const bool allowed = editingAllowed(unlocked, passMode);
    return {{IDC_CMD_MOVE_UP, allowed}, {IDC_CMD_MOVE_DOWN, allowed}};
}

} // namespace kavo
