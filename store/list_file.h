// The entry list file pw_set1.dat: three lines per entry, "title=", "type=" and "id=".
#pragma once

#include "store/entry.h"
#include "store/entry_table.h"
#include "store/password_slots.h"
#include "store/text_lines.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kavo {

// The most a list file can need: 1000 entries of three lines of the longest length, CR LF
// included. Anything larger is not a list file and is not read.
constexpr std::size_t kMaxListFileBytes = 2 + 3 * std::size_t{kSlotCount} * (kMaxLineUnits + 2) * 2;

// What a load of the list file could not keep.
struct ListLoadLosses {
    int entriesDropped = 0; // past the 1000th, or an "id=" line with no title before it
    int textsCut = 0;       // titles and IDs longer than the file keeps

    bool any() const { return entriesDropped > 0 || textsCut > 0; }
};

// Builds rows from the lines of the list file. An entry is completed by its "id=" line. The type
// letter is remembered across entries and files, so an entry without a "type=" line takes the
// letter read last; keep one parser for the whole run.
class ListParser {
  public:
    // The rows built so far, in table order; their passwords come from the password file.
    void parseListLine(std::vector<Entry>& rows, std::u16string_view line, int lineIndex);
    // Every line of one file, in order.
    void parseListLines(std::vector<Entry>& rows, std::span<const std::u16string> lines);
    // Every line of a list file's bytes, where a lone CR or LF also ends a line (no title or ID
    // typed in the program can hold one); false when the mark is missing.
    bool parseListFile(std::vector<Entry>& rows, std::span<const std::uint8_t> bytes);
    // What the lines since the first line of the last file lost.
    const ListLoadLosses& losses() const { return losses_; }

  private:
    std::u16string_view keptText(std::u16string_view line, std::u16string_view prefix);

    int nextRow_ = 0;
    char16_t lastTypeLetter_ = 0;
    ListLoadLosses losses_;
};

// A title or ID as the file keeps it: at most kStoredTextUnits units, whole characters only.
std::u16string storedText(std::u16string_view text);

// The file text for the first 1000 rows, cells cut as the file keeps them.
std::u16string listFileText(const EntryTable& table);

} // namespace kavo
