#include "sequencer/right_click.h"

namespace kavo {

RightClickAction prepareRightClick(EntryTable& table, CopyMethod copyMethod, int clickedRow) {
    const RightClickAction action = rightClickAction(copyMethod);
    if (action == RightClickAction::Nothing) {
        return action;
    }
    if (clickedRow >= 0 && clickedRow < table.rowCount()) {
        table.selectOnly(clickedRow);
    }
    return table.selectedCount() == 0 ? RightClickAction::Nothing : action;
}

} // namespace kavo
