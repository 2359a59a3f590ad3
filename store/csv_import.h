// Entries in and out of CSV files: which columns of another tool's export hold what, which rows
// can become entries and why the others cannot, what the preview says, and the export's rows.
#pragma once

#include "store/csv_text.h"
#include "store/entry.h"
#include "store/entry_table.h"
#include "store/password_file.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// Where the header row puts each thing KAVO reads; -1 where the file has no such column.
struct CsvColumns {
    int title = -1;
    int type = -1;
    int id = -1;
    int password = -1;
    int url = -1;
};

// The columns named by a header row, by the names the common exports use (any case, blanks
// around them ignored). nullopt unless there is a password column and a title, ID or URL one.
std::optional<CsvColumns> columnsOfHeader(const CsvRecord& header);

// "www.example.com" of "https://user@www.example.com:8080/login"; empty when there is none.
std::u16string hostOfUrl(std::u16string_view url);

// An entry the import would add: its type is the file's "T", "V" or "W", else a "B" entry.
using ImportedEntry = Entry;

enum class SkipReason { TableFull, UnstorablePassword, Incomplete, EmptyRow };
constexpr std::size_t kSkipReasonCount = 4;

struct SkippedRow {
    int line = 0;
    std::u16string title;
    SkipReason reason = SkipReason::EmptyRow;
};

// How many skipped rows the preview names.
constexpr std::size_t kNamedSkippedRows = 5;

struct ImportPlan {
    std::vector<ImportedEntry> entries;
    std::array<int, kSkipReasonCount> skipped{};
    std::vector<SkippedRow> firstSkipped; // at most kNamedSkippedRows
    int entriesCut = 0; // entries whose title or ID was longer than the list file keeps

    int skippedTotal() const;
};

enum class ImportRefusal { None, NotText, UnclosedQuote, NoHeader };

struct ImportReading {
    ImportRefusal refusal = ImportRefusal::None;
    int failedLine = 0; // with UnclosedQuote
    ImportPlan plan;
};

// What a file's bytes would add to a table that has room for freeRows more entries: each row
// after the header in file order, with the type of a new entry unless the file names one of
// KAVO's own, and its password checked as the edit dialog checks it.
ImportReading planImport(std::span<const std::uint8_t> bytes, int freeRows, const AnsiCodec& ansi);

// The preview box's text for a plan read from the named file.
std::u16string importPreviewText(const ImportPlan& plan, std::u16string_view fileName);
// Why a file is refused, for the refusal's message box.
std::u16string importRefusalText(const ImportReading& reading, std::u16string_view fileName);

// Appends the entries as new rows with their passwords; the table counts as changed. Entries
// beyond the table's room are not added.
void addImportedEntries(EntryTable& table, std::span<const ImportedEntry> entries);

struct CsvExport {
    Bytes bytes;
    int entries = 0;
    int unreadablePasswords = 0; // written empty: the code page could not read them
};

// Every row as title,type,id,password under a header row of those names.
CsvExport exportCsv(const EntryTable& table);

} // namespace kavo
