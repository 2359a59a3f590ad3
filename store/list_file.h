// The entry list file pw_set1.dat: three lines per entry, "title=", "type=" and "id=".
#pragma once

#include "store/row_view.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kavo {

// Titles and IDs are stored with at most this many units, what a 128-unit buffer holds.
constexpr std::size_t kStoredTextUnits = 127;

// Builds rows from the lines of the list file. An entry is completed by its "id=" line. The type
// letter is remembered across entries and files, so an entry without a "type=" line takes the
// letter read last; keep one parser for the whole run.
class ListParser {
  public:
    void parseListLine(RowView& rows, std::u16string_view line, int lineIndex);
    // Every line of one file, in order.
    void parseListLines(RowView& rows, std::span<const std::u16string> lines);

  private:
    int nextRow_ = 0;
    char16_t lastTypeLetter_ = 0;
};

// The file text for the first 1000 rows, cells cut as the file keeps them.
std::u16string listFileText(const RowView& rows);

} // namespace kavo
