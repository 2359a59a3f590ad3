// The CSV import on any bytes: it never plans more entries than the table has room for, the
// writer gives back every record the reader took, and every entry the import would add comes
// back unchanged through an export and a second import.
#include "store/csv_import.h"
#include "tests/support/memory_table.h"
#include "tests/core/test_codecs.h"

#include <cstdlib>

namespace {

void checkRecordsComeBack(std::span<const std::uint8_t> bytes, const kavo::AnsiCodec& codec) {
    const kavo::CsvDocument read = kavo::readCsvFile(bytes, codec);
    if (read.status != kavo::CsvStatus::Ok) {
        return;
    }
    std::vector<kavo::CsvRecord> records;
    for (const kavo::CsvLine& line : read.records) {
        records.push_back(line.fields);
    }
    const kavo::CsvDocument again = kavo::readCsvFile(kavo::csvFileBytes(records), codec);
    if (again.status != kavo::CsvStatus::Ok || again.records.size() != records.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (again.records[i].fields != records[i]) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const kavo::Latin1Codec codec;
    checkRecordsComeBack(bytes, codec);

    // The first byte sets how full the table already is.
    const int freeRows = size > 0 ? data[0] % 8 : kavo::kMaxRows;
    const kavo::ImportReading reading = kavo::planImport(bytes, freeRows, codec);
    const std::vector<kavo::ImportedEntry>& entries = reading.plan.entries;
    if (reading.refusal != kavo::ImportRefusal::None) {
        return 0;
    }
    if (static_cast<int>(entries.size()) > freeRows) {
        std::abort();
    }

    kavo::MemoryTable memory;
    kavo::EntryTable& table = memory.table;
    kavo::addImportedEntries(table, entries);
    const kavo::CsvExport exported = kavo::exportCsv(table);
    const kavo::ImportReading back = kavo::planImport(exported.bytes, kavo::kMaxRows, codec);
    if (back.refusal != kavo::ImportRefusal::None || back.plan.skippedTotal() != 0 ||
        back.plan.entries.size() != entries.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const kavo::ImportedEntry& a = entries[i];
        const kavo::ImportedEntry& b = back.plan.entries[i];
        if (a.title != b.title || a.id != b.id || a.password != b.password || a.type != b.type) {
            std::abort();
        }
    }
    return 0;
}
