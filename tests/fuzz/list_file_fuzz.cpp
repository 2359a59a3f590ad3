// The entry list parser on any bytes: it never takes more rows than there are password slots,
// keeps the cells within what the file can hold, and what it reads is written back stably.
#include "store/list_file.h"
#include "tests/core/memory_row_view.h"

#include <cstdlib>

namespace {

constexpr int kWideCapacity = 1024;

kavo::Bytes readAndWrite(std::span<const std::uint8_t> bytes, bool& marked) {
    kavo::MemoryRowView rows;
    kavo::ListParser parser;
    marked = parser.parseListFile(rows, bytes);
    if (rows.rowCount() > kavo::kSlotCount) {
        std::abort();
    }
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (rows.cellText(row, kavo::kCellTitle, kWideCapacity).size() > kavo::kStoredTextUnits ||
            rows.cellText(row, kavo::kCellId, kWideCapacity).size() > kavo::kStoredTextUnits ||
            rows.cellText(row, kavo::kCellType, kWideCapacity).size() > 1) {
            std::abort();
        }
    }
    return kavo::encodeTextFile(kavo::listFileText(rows));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kavo::kMaxListFileBytes) {
        return 0; // refused before it is parsed
    }
    bool marked = false;
    const kavo::Bytes once = readAndWrite({data, size}, marked);
    if (!marked) {
        return 0;
    }
    bool markedAgain = false;
    if (readAndWrite(once, markedAgain) != once || !markedAgain) {
        std::abort();
    }
    return 0;
}
