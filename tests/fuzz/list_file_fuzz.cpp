// The entry list parser on any bytes: it never takes more rows than there are password slots,
// keeps the cells within what the file can hold, loses no entry without counting it, and what it
// reads is written back stably.
#include "store/list_file.h"
#include "tests/support/memory_table.h"

#include <cstdlib>

namespace {

// Lines that start with "id=", counted apart from the parser: any CR or LF ends a line.
int idLines(std::span<const std::uint8_t> bytes) {
    constexpr std::u16string_view kId = u"id=";
    int count = 0;
    bool lineStart = true;
    std::size_t matched = 0;
    for (std::size_t pos = 2; pos + 1 < bytes.size(); pos += 2) {
        const auto unit = static_cast<char16_t>(bytes[pos] | (bytes[pos + 1] << 8));
        if (unit == u'\r' || unit == u'\n') {
            lineStart = true;
            matched = 0;
            continue;
        }
        if (lineStart && unit == kId[matched]) {
            if (++matched == kId.size()) {
                ++count;
                lineStart = false;
            }
            continue;
        }
        lineStart = false;
    }
    return count;
}

kavo::Bytes readAndWrite(std::span<const std::uint8_t> bytes, bool& marked) {
    std::vector<kavo::Entry> rows;
    kavo::ListParser parser;
    marked = parser.parseListFile(rows, bytes);
    const int count = static_cast<int>(rows.size());
    if (count > kavo::kSlotCount) {
        std::abort();
    }
    // Every entry became a row, or the load says it was dropped.
    if (marked && count + parser.losses().entriesDropped < idLines(bytes)) {
        std::abort();
    }
    for (const kavo::Entry& row : rows) {
        if (row.title.size() > kavo::kStoredTextUnits || row.id.size() > kavo::kStoredTextUnits ||
            row.type.text().size() > 1) {
            std::abort();
        }
    }
    kavo::MemoryTable memory;
    memory.table.loadRows(std::move(rows));
    return kavo::encodeTextFile(kavo::listFileText(memory.table));
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
