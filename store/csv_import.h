// Entries in and out of CSV files: which columns of another tool's export hold what, which rows
// can become entries and why the others cannot, what the preview says, and the export's rows.
#pragma once

#include "store/csv_columns.h"
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

// "www.example.com" of "https://user@www.example.com:8080/login"; empty when there is none.
std::u16string hostOfUrl(std::u16string_view url);

// An entry the import would add: its type is the file's "T", "V" or "W", else a "B" entry.
using ImportedEntry = Entry;

enum class SkipReason { TableFull, UnstorablePassword, Incomplete, EmptyRow };
constexpr std::size_t kSkipReasonCount = 4;

struct SkippedRow {
    int row = 0; // the record's row as a spreadsheet numbers them: from 1, a header row included
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

enum class ImportRefusal { None, NotText, UnclosedQuote, Inconsistent, NoRows, NoHeader };

// How the rows of a file are read.
struct CsvLayout {
    CsvDialect dialect;
    CsvColumns columns;
    bool firstRowIsHeader = true;
    bool operator==(const CsvLayout&) const = default;
};

// How many of a file's first rows the column picker shows and the guess looks at.
constexpr std::size_t kSurveyRows = 50;
// How much of each of those fields is kept: enough to see what a column holds.
constexpr std::size_t kSurveyFieldUnits = 64;
// How many columns of them are kept, and offered by the picker: far more than any export has,
// and a row of a million empty fields still costs little.
constexpr std::size_t kSurveyColumns = 256;

// What a file shows before any row becomes an entry: its dialect, its first rows and the best
// guess of its layout. The rows hold passwords: wipeSurvey before they are freed.
struct CsvSurvey {
    ImportRefusal refusal = ImportRefusal::None;
    int failedLine = 0; // with UnclosedQuote or Inconsistent: a line of the file, from 1
    std::vector<CsvRecord> firstRows;
    std::size_t columnCount = 0; // of the widest of the first rows
    CsvLayout guess;
    bool headerKnown = false; // the first row names columns that suffice

    // The columns are the user's to choose when the guess rests on no known header, and when the
    // separator is not the comma, which files are seldom written with on purpose.
    bool wantsPicker() const { return !headerKnown || guess.dialect.separator != u','; }
};

CsvSurvey surveyCsv(std::span<const std::uint8_t> bytes, const AnsiCodec& ansi);
void wipeSurvey(CsvSurvey& survey);

struct ImportReading {
    ImportRefusal refusal = ImportRefusal::None;
    int failedLine = 0; // with UnclosedQuote or Inconsistent
    ImportPlan plan;
};

// What a file's bytes read with this layout would add to a table that has room for freeRows more
// entries: each row after any header in file order, with the type of a new entry unless the
// file names one of KAVO's own, and its password checked as the edit dialog checks it. The ID of
// a row is its id column's or, where that is empty, its e-mail column's; its title is the title
// column's or, where that is blank, the URL's host.
ImportReading planImport(std::span<const std::uint8_t> bytes, const CsvLayout& layout, int freeRows,
                         const AnsiCodec& ansi);

// planImport with the survey's guess, for a file whose header names its columns; NoHeader when
// the columns are left to the user.
ImportReading planImport(std::span<const std::uint8_t> bytes, int freeRows, const AnsiCodec& ansi);

// The preview box's text for a plan read from the named file. It offers to add the entries, if
// any, or to choose the columns again, for a guess that was wrong.
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
