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

void appendLine(std::u16string& out, std::u16string_view prefix, std::u16string_view value) {
    out.append(prefix);
    out.append(value);
    out.append(kLineEnd);
}

} // namespace

std::u16string_view ListParser::keptText(std::u16string_view line, std::u16string_view prefix) {
    const std::u16string_view text = line.substr(prefix.size());
    if (text.size() > kStoredTextUnits) {
        ++losses_.textsCut;
    }
    return cutToUnits(text, kStoredTextUnits);
}

void ListParser::parseListLine(std::vector<Entry>& rows, std::u16string_view line, int lineIndex) {
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
        const std::u16string title(keptText(line, kTitlePrefix));
        if (rows.size() < static_cast<std::size_t>(kMaxRows)) {
            rows.insert(rows.begin() + nextRow_, Entry{title, {}, {}, {}});
        } else {
            rows[static_cast<std::size_t>(nextRow_)].title = title;
        }
    } else if (line.starts_with(kTypePrefix)) {
        lastTypeLetter_ = line.size() > kTypePrefix.size() ? line[kTypePrefix.size()] : u'\0';
    } else if (line.starts_with(kIdPrefix)) {
        if (nextRow_ >= static_cast<int>(rows.size())) {
            // No title started this entry: taking a row for it would pair every later ID with
            // the title before it.
            ++losses_.entriesDropped;
            return;
        }
        Entry& entry = rows[static_cast<std::size_t>(nextRow_)];
        entry.type = EntryType(lastTypeLetter_);
        entry.id = keptText(line, kIdPrefix);
        ++nextRow_;
    }
}

void ListParser::parseListLines(std::vector<Entry>& rows, std::span<const std::u16string> lines) {
    for (std::size_t index = 0; index < lines.size(); ++index) {
        parseListLine(rows, lines[index], static_cast<int>(index));
    }
}

bool ListParser::parseListFile(std::vector<Entry>& rows, std::span<const std::uint8_t> bytes) {
    int index = 0;
    return forEachTextLine(
        bytes, [&](std::u16string_view line) { parseListLine(rows, line, index++); },
        LineEnds::Any);
}

std::u16string storedText(std::u16string_view text) {
    return wholeCharacters(cutToUnits(text, kStoredTextUnits));
}

std::u16string listFileText(const EntryTable& table) {
    std::u16string text;
    const int count = std::min(table.rowCount(), kMaxRows);
    for (int row = 0; row < count; ++row) {
        appendLine(text, kTitlePrefix, storedText(table.cellText(row, kCellTitle)));
        appendLine(text, kTypePrefix, wholeCharacters(table.cellText(row, kCellType)));
        appendLine(text, kIdPrefix, storedText(table.cellText(row, kCellId)));
    }
    return text;
}

} // namespace kavo
