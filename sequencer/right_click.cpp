#include "sequencer/right_click.h"

namespace kavo {

RightClickAction prepareRightClick(RowView& rows, CopyMethod copyMethod, int clickedRow) {
    const RightClickAction action = rightClickAction(copyMethod);
    if (action == RightClickAction::Nothing) {
        return action;
    }
    if (clickedRow >= 0 && clickedRow < rows.rowCount()) {
        selectOnlyRow(rows, clickedRow);
    }
    return rows.selectedCount() == 0 ? RightClickAction::Nothing : action;
}

} // namespace kavo
