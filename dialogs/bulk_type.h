// The bulk type change: one type letter for every row at once.
#pragma once

#include "dialogs/entry_type.h"
#include "store/entry_table.h"

namespace kavo {

// Sets the type cell of every row to the letter of the checked radio ("B" when none is) and
// marks the change unsaved, even for an empty table. Passwords, marks and slots stay.
void applyBulkType(const TypeRadios& radios, EntryTable& table);

} // namespace kavo
