// Which dialect a CSV file is written in, told by evidence in the text: the separator by the
// first record, the escaping by which reading of the quotes holds together over the whole file.
#pragma once

#include "store/csv_text.h"

#include <string_view>

namespace kavo {

struct CsvDialectGuess {
    // Ok, or why no dialect reads the file: UnclosedQuote (at failedLine, as the plain dialect
    // reads it) or Inconsistent (text after a closing quote at failedLine in every reading).
    CsvStatus status = CsvStatus::Ok;
    int failedLine = 0;
    CsvDialect dialect;
};

// The separator is the one of comma, semicolon and tab that the first record, outside quotes,
// holds most of (comma when none). The quotes are read as doubled quotes unless that reading
// leaves text after a closing quote while backslash escapes read the file cleanly; a file with
// the backslash dialect's own header row is read with backslash escapes whenever they fit.
CsvDialectGuess guessCsvDialect(std::u16string_view text);

} // namespace kavo
