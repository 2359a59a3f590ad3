#include "dialogs/bulk_type.h"

#include <algorithm>

namespace kavo {

void applyBulkType(const TypeRadios& radios, EntryTable& table) {
    const std::u16string_view letter = typeLetter(typeIndexFromRadios(radios));
    RowView& rows = table.rows();
    const int count = std::min(rows.rowCount(), kMaxRows);
    for (int row = 0; row < count; ++row) {
        rows.setCellText(row, kCellType, letter);
    }
    table.markChanged();
}

} // namespace kavo
