// The CSV import on any bytes: it never plans more entries than the table has room for, the
// writer gives back every record the reader took in every dialect, a file written in the
// backslash dialect under its own header is read in it, and every entry the import would add
// comes back unchanged through an export and a second import.
#include "store/csv_dialect.h"
#include "store/csv_import.h"
#include "tests/support/memory_table.h"
#include "tests/core/test_codecs.h"

#include <cstdlib>

namespace {

constexpr kavo::CsvDialect kDialects[] = {{u',', false}, {u';', false}, {u'\t', false},
                                          {u',', true},  {u';', true},  {u'\t', true}};

void checkRecordsComeBack(std::span<const std::uint8_t> bytes, const kavo::AnsiCodec& codec,
                          const kavo::CsvDialect& dialect) {
    const std::optional<std::u16string> text = kavo::decodeCsvText(bytes, codec);
    if (!text) {
        return;
    }
    const kavo::CsvDocument read = kavo::parseCsvText(*text, dialect);
    if (read.status != kavo::CsvStatus::Ok) {
        return;
    }
    std::vector<kavo::CsvRecord> records;
    for (const kavo::CsvLine& line : read.records) {
        records.push_back(line.fields);
    }
    const kavo::Bytes written = kavo::csvFileBytes(records, dialect);
    const std::optional<std::u16string> writtenText = kavo::decodeCsvText(written, codec);
    if (!writtenText) {
        std::abort();
    }
    const kavo::CsvDocument again = kavo::parseCsvText(*writtenText, dialect);
    if (again.status != kavo::CsvStatus::Ok || again.records.size() != records.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (again.records[i].fields != records[i]) {
            std::abort();
        }
    }
    // Under the backslash dialect's own header the file is told for what it is.
    if (dialect.backslashEscapes && dialect.separator == u',') {
        records.insert(records.begin(),
                       {u"Account", u"Login Name", u"Password", u"Web Site", u"Comments"});
        const std::optional<std::u16string> headed =
            kavo::decodeCsvText(kavo::csvFileBytes(records, dialect), codec);
        const kavo::CsvDialectGuess guess = kavo::guessCsvDialect(*headed);
        if (guess.status != kavo::CsvStatus::Ok || !(guess.dialect == dialect)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const kavo::Latin1Codec codec;
    // The last byte picks the dialect the bytes are read and written in.
    checkRecordsComeBack(bytes, codec,
                         kDialects[size > 0 ? data[size - 1] % std::size(kDialects) : 0]);

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
