#include "dialogs/bulk_type.h"

namespace kavo {

void applyBulkType(const TypeRadios& radios, EntryTable& table) {
    table.setEveryType(typeOfRadio(typeIndexFromRadios(radios)));
    table.markChanged();
}

} // namespace kavo
