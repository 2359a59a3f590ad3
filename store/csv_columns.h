// Which column of a CSV file holds which of an entry's texts: by the names in a header row, or,
// for a file without one, by the shape of the values.
#pragma once

#include "store/csv_text.h"

#include <optional>
#include <span>
#include <string_view>

namespace kavo {

// Where each thing KAVO reads lies; -1 where the file has no such column.
struct CsvColumns {
    int title = -1;
    int type = -1;
    int id = -1;
    // An e-mail address, the ID of a row whose id column is empty.
    int email = -1;
    int password = -1;
    int url = -1;
    bool operator==(const CsvColumns&) const = default;
};

// Whether rows read with these columns can become entries: a password column and a title, ID or
// URL one.
bool columnsSuffice(const CsvColumns& columns);

// The columns named by a header row, by the names the common exports use, English and Japanese
// (any case, full-width letters as half-width ones, blanks around them ignored). Of two columns
// for the same thing the better name counts (a user name before a host name), then the first.
// nullopt unless the columns suffice.
std::optional<CsvColumns> columnsOfHeader(const CsvRecord& header);

// A guess for rows without a header: the URL and e-mail columns by their values, the password as
// the column of the most random-looking text without blanks, the title as the first other column
// with the most different values, the ID as an e-mail column or else the first column without
// blanks after the title.
CsvColumns guessColumnsByShape(std::span<const CsvRecord> rows);

// Whether the first of these rows names the columns rather than holding a log-in: it has no URL
// or e-mail where the rows after it have them, or, when they have none, only short words.
bool looksLikeHeaderRow(std::span<const CsvRecord> rows);

// A title of only blanks (ASCII or full-width) is no title.
bool isBlankText(std::u16string_view text);

} // namespace kavo
