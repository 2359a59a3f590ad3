#include "dialogs/csv_transfer.h"

#include "dialogs/entry_dialog.h"
#include "dialogs/entry_type.h"
#include "resources/texts.h"
#include "store/ascii_case.h"
#include "store/decimal_text.h"
#include "store/list_file.h"
#include "store/utf16_text.h"

#include <algorithm>
#include <initializer_list>

namespace kavo {

namespace {

// Header names as the common exports write them, lowercased.
constexpr std::u16string_view kTitleNames[] = {u"title", u"name", u"account", u"タイトル", u"名前"};
constexpr std::u16string_view kIdNames[] = {
    u"id",     u"username",   u"user name",  u"login name", u"login_username",
    u"user",   u"login",      u"email",      u"e-mail",     u"user id",
    u"userid", u"ユーザー名", u"ユーザーid", u"ログインid"};
constexpr std::u16string_view kPasswordNames[] = {u"password", u"login_password", u"pass",
                                                  u"パスワード"};
constexpr std::u16string_view kUrlNames[] = {u"url",       u"web site", u"website",
                                             u"login_uri", u"uri",      u"site"};
constexpr std::u16string_view kTypeNames[] = {u"type"};

constexpr std::u16string_view kExportHeader[] = {u"title", u"type", u"id", u"password"};

std::u16string headerName(std::u16string_view cell) {
    // A second byte-order mark, left by a tool that wrote its own in front of the text.
    if (!cell.empty() && cell.front() == u'\uFEFF') {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && (cell.front() == u' ' || cell.front() == u'\t')) {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && (cell.back() == u' ' || cell.back() == u'\t')) {
        cell.remove_suffix(1);
    }
    return foldAsciiCase(cell);
}

template <std::size_t N>
bool oneOf(std::u16string_view name, const std::u16string_view (&names)[N]) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::u16string_view field(const CsvRecord& record, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= record.size()) {
        return {};
    }
    return record[static_cast<std::size_t>(column)];
}

// A title or ID is one line in the list file: control characters become blanks.
std::u16string oneLine(std::u16string_view text) {
    std::u16string line(text);
    for (char16_t& unit : line) {
        if (unit < u' ' || unit == u'\x7F') {
            unit = u' ';
        }
    }
    return line;
}

bool isBlankRecord(const CsvRecord& record) {
    return std::all_of(record.begin(), record.end(),
                       [](const std::u16string& cell) { return cell.empty(); });
}

std::u16string_view reasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::TableFull:
        return kImportSkippedFullText;
    case SkipReason::UnstorablePassword:
        return kImportSkippedPasswordText;
    case SkipReason::Incomplete:
        return kImportSkippedIncompleteText;
    case SkipReason::EmptyRow:
        return kImportSkippedEmptyText;
    }
    return {};
}

} // namespace

std::optional<CsvColumns> columnsOfHeader(const CsvRecord& header) {
    CsvColumns columns;
    const auto claim = [](int& column, int index) {
        if (column < 0) {
            column = index;
        }
    };
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::u16string name = headerName(header[i]);
        const int index = static_cast<int>(i);
        if (oneOf(name, kTitleNames)) {
            claim(columns.title, index);
        } else if (oneOf(name, kIdNames)) {
            claim(columns.id, index);
        } else if (oneOf(name, kPasswordNames)) {
            claim(columns.password, index);
        } else if (oneOf(name, kUrlNames)) {
            claim(columns.url, index);
        } else if (oneOf(name, kTypeNames)) {
            claim(columns.type, index);
        }
    }
    if (columns.password < 0 || (columns.title < 0 && columns.id < 0 && columns.url < 0)) {
        return std::nullopt;
    }
    return columns;
}

std::u16string hostOfUrl(std::u16string_view url) {
    const std::size_t scheme = url.find(u"://");
    if (scheme != std::u16string_view::npos) {
        url.remove_prefix(scheme + 3);
    }
    url = url.substr(0, url.find_first_of(u"/?#"));
    const std::size_t user = url.rfind(u'@');
    if (user != std::u16string_view::npos) {
        url.remove_prefix(user + 1);
    }
    // A port, unless the host is an IPv6 address in brackets.
    const std::size_t port = url.rfind(u':');
    if (port != std::u16string_view::npos && url.find(u']') == std::u16string_view::npos) {
        url = url.substr(0, port);
    }
    return oneLine(url);
}

int ImportPlan::skippedTotal() const {
    int total = 0;
    for (const int count : skipped) {
        total += count;
    }
    return total;
}

ImportReading planImport(std::span<const std::uint8_t> bytes, int freeRows, const AnsiCodec& ansi) {
    ImportReading reading;
    const CsvDocument document = readCsvFile(bytes, ansi);
    if (document.status == CsvStatus::NotText) {
        reading.refusal = ImportRefusal::NotText;
        return reading;
    }
    if (document.status == CsvStatus::UnclosedQuote) {
        reading.refusal = ImportRefusal::UnclosedQuote;
        reading.failedLine = document.failedLine;
        return reading;
    }
    const std::optional<CsvColumns> columns =
        document.records.empty() ? std::nullopt : columnsOfHeader(document.records[0].fields);
    if (!columns) {
        reading.refusal = ImportRefusal::NoHeader;
        return reading;
    }
    ImportPlan& plan = reading.plan;
    for (std::size_t i = 1; i < document.records.size(); ++i) {
        const CsvLine& record = document.records[i];
        ImportedEntry entry;
        entry.title = oneLine(field(record.fields, columns->title));
        if (entry.title.empty()) {
            entry.title = hostOfUrl(field(record.fields, columns->url));
        }
        entry.id = oneLine(field(record.fields, columns->id));
        entry.password = std::u16string(field(record.fields, columns->password));
        entry.typeIndex = typeIndexOfLetter(field(record.fields, columns->type));

        std::optional<SkipReason> reason;
        if (isBlankRecord(record.fields)) {
            reason = SkipReason::EmptyRow;
        } else if (entry.title.empty() || entry.id.empty() || entry.password.empty()) {
            reason = SkipReason::Incomplete;
        } else if (!isStorablePassword(entry.password, ansi)) {
            reason = SkipReason::UnstorablePassword;
        } else if (static_cast<int>(plan.entries.size()) >= freeRows) {
            reason = SkipReason::TableFull;
        }
        if (reason) {
            ++plan.skipped[static_cast<std::size_t>(*reason)];
            if (plan.firstSkipped.size() < kNamedSkippedRows) {
                plan.firstSkipped.push_back({record.line, entry.title, *reason});
            }
            continue;
        }
        if (entry.title.size() > kStoredTextUnits || entry.id.size() > kStoredTextUnits) {
            ++plan.entriesCut;
            entry.title = std::u16string(cutToUnits(entry.title, kStoredTextUnits));
            entry.id = std::u16string(cutToUnits(entry.id, kStoredTextUnits));
        }
        plan.entries.push_back(std::move(entry));
    }
    return reading;
}

std::u16string importPreviewText(const ImportPlan& plan, std::u16string_view fileName) {
    std::u16string text;
    if (plan.entries.empty()) {
        text += u"「" + std::u16string(fileName) + u"」" + std::u16string(kImportNothingText);
    } else {
        text += u"「" + std::u16string(fileName) + u"」から " +
                formatInt(static_cast<int>(plan.entries.size())) +
                std::u16string(kImportAddCountText);
    }
    if (plan.skippedTotal() > 0) {
        text += u"\n\n" + std::u16string(kImportSkippedHeading) + formatInt(plan.skippedTotal()) +
                u" 件";
        for (std::size_t i = 0; i < kSkipReasonCount; ++i) {
            if (plan.skipped[i] > 0) {
                text += u"\n・" + std::u16string(reasonText(static_cast<SkipReason>(i))) + u": " +
                        formatInt(plan.skipped[i]) + u" 件";
            }
        }
        text += u"\n\n" + std::u16string(kImportSkippedRowsHeading);
        for (const SkippedRow& row : plan.firstSkipped) {
            text += u"\n・" + formatInt(row.line) + u"行目 " +
                    (row.title.empty() ? std::u16string(kImportNoTitleText)
                                       : u"「" + row.title + u"」");
        }
    }
    if (plan.entriesCut > 0) {
        text += u"\n\n" + std::u16string(kImportCutText) + formatInt(plan.entriesCut) + u" 件";
    }
    if (!plan.entries.empty()) {
        text += u"\n\n" + std::u16string(kImportConfirmText);
    }
    return text;
}

std::u16string importRefusalText(const ImportReading& reading, std::u16string_view fileName) {
    std::u16string text = u"「" + std::u16string(fileName) + u"」";
    switch (reading.refusal) {
    case ImportRefusal::None:
        break;
    case ImportRefusal::NotText:
        text += kImportNotTextText;
        break;
    case ImportRefusal::UnclosedQuote:
        text += u"の " + formatInt(reading.failedLine) + std::u16string(kImportUnclosedQuoteText);
        break;
    case ImportRefusal::NoHeader:
        text += kImportNoHeaderText;
        break;
    }
    return text;
}

void addImportedEntries(EntryTable& table, std::span<const ImportedEntry> entries) {
    for (const ImportedEntry& entry : entries) {
        if (table.isFull()) {
            break;
        }
        const int row = table.rows().rowCount();
        table.buildRow(row, entry.title, typeLetter(entry.typeIndex), entry.id);
        table.slots().set(row, entry.password);
    }
    table.markChanged();
}

CsvExport exportCsv(const RowView& rows, const PasswordSlots& slots) {
    // One unit more than the list file keeps, so the cut sees a pair it would split.
    constexpr int kCellCapacity = static_cast<int>(kStoredTextUnits) + 2;
    std::vector<CsvRecord> records{CsvRecord(std::begin(kExportHeader), std::end(kExportHeader))};
    CsvExport result;
    const int count = std::min(rows.rowCount(), kSlotCount);
    for (int row = 0; row < count; ++row) {
        records.push_back({storedText(rows.cellText(row, kCellTitle, kCellCapacity)),
                           storedText(rows.cellText(row, kCellType, kCellCapacity)),
                           storedText(rows.cellText(row, kCellId, kCellCapacity)), slots.at(row)});
        if (slots.isUnreadable(row)) {
            ++result.unreadablePasswords;
        }
    }
    result.entries = count;
    result.bytes = csvFileBytes(records);
    return result;
}

} // namespace kavo
