// A right-click in the list acts on the row under the cursor, whatever else was selected.
#pragma once

#include "sequencer/copy_method.h"
#include "store/entry_table.h"

#include <cstdint>

namespace kavo {

// Decides what a right-click does by the copy method and prepares the selection for it: when
// the copy method starts something and the click hit a row, that row becomes the only selected
// one, highlighted as a left click would leave it. A click on no row leaves the selection alone
// and acts on it as before; nothing is selected then: nothing happens.
RightClickAction prepareRightClick(EntryTable& table, CopyMethod copyMethod, int clickedRow);

} // namespace kavo
