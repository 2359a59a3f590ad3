#include "store/list_file.h"

#include "store/entry_table.h"
#include "store/utf16_text.h"

#include <algorithm>

namespace kavo {

namespace {

constexpr std::u16string_view kTitlePrefix = u"title=";
constexpr std::u16string_view kTypePrefix = u"type=";
constexpr std::u16string_view kIdPrefix = u"id=";
constexpr std::u16string_view kLineEnd = u"\r\n";

// Read-back buffer sizes in units, terminator included: a type cell keeps one letter. A title or
// ID is read one unit longer than the file keeps, so the cut can see a pair it would split.
constexpr int kStoredTextCapacity = static_cast<int>(kStoredTextUnits) + 2;
constexpr int kTypeCapacity = 2;

void appendLine(std::u16string& out, std::u16string_view prefix, std::u16string_view value) {
    out.append(prefix);
    out.append(value);
    out.append(kLineEnd);
}

std::u16string storedCell(const RowView& rows, int row, int cell) {
    return storedText(rows.cellText(row, cell, kStoredTextCapacity));
}

} // namespace

std::u16string_view ListParser::keptText(std::u16string_view line, std::u16string_view prefix) {
    const std::u16string_view text = line.substr(prefix.size());
    if (text.size() > kStoredTextUnits) {
        ++losses_.textsCut;
    }
    return cutToUnits(text, kStoredTextUnits);
}

void ListParser::parseListLine(RowView& rows, std::u16string_view line, int lineIndex) {
    if (lineIndex == 0) {
        nextRow_ = 0;
        losses_ = ListLoadLosses{};
    }
    if (nextRow_ >= kMaxRows) {
        if (line.starts_with(kIdPrefix)) {
            ++losses_.entriesDropped;
        }
        return;
    }
    if (line.starts_with(kTitlePrefix)) {
        // Title lines without an id line pile up rows from the one being built on. In a full
        // table the newest of those lone titles gives way to this one, so the entry this title
        // starts can still be completed: a whole entry matters more than a lone title.
        if (rows.rowCount() < kMaxRows) {
            rows.insertRow(nextRow_, keptText(line, kTitlePrefix), nextRow_);
        } else {
            rows.setCellText(nextRow_, kCellTitle, keptText(line, kTitlePrefix));
        }
    } else if (line.starts_with(kTypePrefix)) {
        lastTypeLetter_ = line.size() > kTypePrefix.size() ? line[kTypePrefix.size()] : u'\0';
    } else if (line.starts_with(kIdPrefix)) {
        if (nextRow_ >= rows.rowCount()) {
            // No title started this entry: taking a row for it would pair every later ID with
            // the title before it.
            ++losses_.entriesDropped;
            return;
        }
        const std::u16string type =
            lastTypeLetter_ == u'\0' ? std::u16string() : std::u16string(1, lastTypeLetter_);
        rows.setCellText(nextRow_, kCellType, type);
        rows.setCellText(nextRow_, kCellId, keptText(line, kIdPrefix));
        rows.setCellText(nextRow_, kCellPw, kMaskText);
        ++nextRow_;
    }
}

void ListParser::parseListLines(RowView& rows, std::span<const std::u16string> lines) {
    for (std::size_t index = 0; index < lines.size(); ++index) {
        parseListLine(rows, lines[index], static_cast<int>(index));
    }
}

bool ListParser::parseListFile(RowView& rows, std::span<const std::uint8_t> bytes) {
    int index = 0;
    return forEachTextLine(
        bytes, [&](std::u16string_view line) { parseListLine(rows, line, index++); },
        LineEnds::Any);
}

std::u16string storedText(std::u16string_view text) {
    return wholeCharacters(cutToUnits(text, kStoredTextUnits));
}

std::u16string listFileText(const RowView& rows) {
    std::u16string text;
    const int count = std::min(rows.rowCount(), kMaxRows);
    for (int row = 0; row < count; ++row) {
        appendLine(text, kTitlePrefix, storedCell(rows, row, kCellTitle));
        appendLine(text, kTypePrefix,
                   wholeCharacters(rows.cellText(row, kCellType, kTypeCapacity)));
        appendLine(text, kIdPrefix, storedCell(rows, row, kCellId));
    }
    return text;
}

} // namespace kavo
