// CSV files as spreadsheets and other password tools write them: records end at a line break,
// fields are separated by commas (or semicolons, or tabs), and a field in double quotes may hold
// separators, line breaks and doubled quotes, or, in the dialect of some tools, quotes and
// backslashes escaped by a backslash. The bytes are UTF-8 (with or without its mark) or UTF-16 with
// its mark; a file without a mark that is no UTF-8 is read in the ANSI code page, as spreadsheets
// there save it.
#pragma once

#include "store/password_file.h"
#include "store/text_lines.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// A CSV file larger than this holds far more than a thousand log-ins and is not read.
constexpr std::size_t kMaxCsvFileBytes = 16 * 1024 * 1024;

using CsvRecord = std::vector<std::u16string>;

struct CsvLine {
    int line = 0; // the file line the record starts on, from 1
    CsvRecord fields;
};

enum class CsvStatus { Ok, NotText, UnclosedQuote, Inconsistent };

// How a file writes its records.
struct CsvDialect {
    char16_t separator = u',';
    // In quoted fields \" stands for a quote and \\ for a backslash, and a quote always closes.
    bool backslashEscapes = false;
    bool operator==(const CsvDialect&) const = default;
};

struct CsvDocument {
    CsvStatus status = CsvStatus::Ok;
    // With UnclosedQuote: the line of the quote that never closes.
    int failedLine = 0;
    std::vector<CsvLine> records;
};

// The text of the file's bytes; nullopt when they are no text: a 0 character, a broken UTF-16
// surrogate, or bytes the code page cannot read.
std::optional<std::u16string> decodeCsvText(std::span<const std::uint8_t> bytes,
                                            const AnsiCodec& ansi);

// What a reader of the records is handed, one field at a time, so that no file needs all its
// records in memory at once (16 MB of line breaks are 16 million records).
class CsvVisitor {
  public:
    virtual ~CsvVisitor() = default;
    // The field at this index (from 0) of the record being read; the text lasts for the call.
    virtual void field(std::size_t index, std::u16string_view text) = 0;
    // The record that started on this file line (from 1) has ended.
    virtual void endRecord(int line) = 0;
};

struct CsvParse {
    CsvStatus status = CsvStatus::Ok;
    int failedLine = 0; // with UnclosedQuote: the line of the quote that never closes
    // The first line where text follows a closing quote, which no writer of the dialect does;
    // 0 when there is none.
    int irregularLine = 0;
};

// Hands every record of the text to the visitor as it ends. Line breaks right at the end make
// no empty record; CR CR LF is one line break; a blank line elsewhere is a record of one empty
// field. Quotes are read leniently where the format is broken (a quote inside an unquoted field is
// kept, text after a closing quote is appended), but a quote that never closes fails the whole file
// rather than swallow its rest: the visitor has then seen the records before it, which count for
// nothing.
CsvParse visitCsvText(std::u16string_view text, CsvVisitor& visitor,
                      const CsvDialect& dialect = {});

// Every record of the text, as visitCsvText reads them; none when a quote never closes.
CsvDocument parseCsvText(std::u16string_view text, const CsvDialect& dialect = {});

// decodeCsvText, then parseCsvText.
CsvDocument readCsvFile(std::span<const std::uint8_t> bytes, const AnsiCodec& ansi);

// The file for these records: a UTF-8 mark, fields quoted where they need it (with the backslash
// dialect, every field), CR LF after each record. parseCsvText with the same dialect reads every
// record back as it was.
Bytes csvFileBytes(std::span<const CsvRecord> records, const CsvDialect& dialect = {});

} // namespace kavo
