#include "store/csv_import.h"

#include "resources/texts.h"
#include "store/ascii_case.h"
#include "store/decimal_text.h"
#include "store/list_file.h"
#include "store/text_format.h"
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

// A title or file name in the preview: one short line, so a huge field never makes a huge box.
constexpr std::size_t kPreviewTextUnits = 40;
constexpr std::u16string_view kCutMark = u"…";

std::u16string previewLine(std::u16string_view text) {
    if (text.size() <= kPreviewTextUnits) {
        return oneLine(text);
    }
    return oneLine(cutToUnits(text, kPreviewTextUnits)) + std::u16string(kCutMark);
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

namespace {

void claimHeaderColumn(CsvColumns& columns, std::size_t index, std::u16string_view cell) {
    const std::u16string name = headerName(cell);
    const auto claim = [&](int& column) {
        if (column < 0) {
            column = static_cast<int>(index);
        }
    };
    if (oneOf(name, kTitleNames)) {
        claim(columns.title);
    } else if (oneOf(name, kIdNames)) {
        claim(columns.id);
    } else if (oneOf(name, kPasswordNames)) {
        claim(columns.password);
    } else if (oneOf(name, kUrlNames)) {
        claim(columns.url);
    } else if (oneOf(name, kTypeNames)) {
        claim(columns.type);
    }
}

std::optional<CsvColumns> checkedColumns(const CsvColumns& columns) {
    if (columns.password < 0 || (columns.title < 0 && columns.id < 0 && columns.url < 0)) {
        return std::nullopt;
    }
    return columns;
}

} // namespace

std::optional<CsvColumns> columnsOfHeader(const CsvRecord& header) {
    CsvColumns columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        claimHeaderColumn(columns, i, header[i]);
    }
    return checkedColumns(columns);
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

namespace {

// The plan, built record by record as the reader hands them over: only the fields the columns
// name are kept, and only until their record ends.
class ImportPlanner final : public CsvVisitor {
  public:
    ImportPlanner(int freeRows, const AnsiCodec& ansi) : freeRows_(freeRows), ansi_(ansi) {}

    void field(std::size_t index, std::u16string_view text) override {
        if (!headerRead_) {
            claimHeaderColumn(header_, index, text);
            return;
        }
        blank_ = blank_ && text.empty();
        if (!columns_) {
            return;
        }
        // Each field is kept only as far as it can matter, so a huge one costs no copies: one unit
        // past what the list file keeps still tells a text that is cut (or a password too long
        // to store) from one that is not; a host lies near the start of any real URL.
        const auto take = [&](int column, std::u16string& into, std::size_t units) {
            if (column >= 0 && static_cast<std::size_t>(column) == index) {
                into.assign(cutToUnits(text, units));
            }
        };
        constexpr std::size_t kKeptUnits = kStoredTextUnits + 2;
        constexpr std::size_t kUrlUnits = 4096;
        take(columns_->title, title_, kKeptUnits);
        take(columns_->id, id_, kKeptUnits);
        take(columns_->password, password_, kKeptUnits);
        take(columns_->url, url_, kUrlUnits);
        take(columns_->type, type_, 2);
    }

    void endRecord(int line) override {
        if (!headerRead_) {
            headerRead_ = true;
            columns_ = checkedColumns(header_);
            return;
        }
        if (columns_) {
            planRow(line);
        }
        for (std::u16string* text : {&title_, &id_, &password_, &url_, &type_}) {
            text->clear();
        }
        blank_ = true;
    }

    const std::optional<CsvColumns>& columns() const { return columns_; }
    ImportPlan& plan() { return plan_; }

  private:
    void skip(int line, std::u16string_view title, SkipReason reason) {
        ++plan_.skipped[static_cast<std::size_t>(reason)];
        if (plan_.firstSkipped.size() < kNamedSkippedRows) {
            plan_.firstSkipped.push_back({line, previewLine(title), reason});
        }
    }

    void planRow(int line) {
        if (blank_) {
            // Most rows of a huge file may be blank lines: they cost no entry.
            skip(line, {}, SkipReason::EmptyRow);
            return;
        }
        ImportedEntry entry;
        entry.title = oneLine(title_);
        if (entry.title.empty()) {
            entry.title = hostOfUrl(url_);
        }
        entry.id = oneLine(id_);
        entry.password = password_;
        entry.type = EntryType::knownOrButton(type_);

        std::optional<SkipReason> reason;
        if (entry.title.empty() || entry.id.empty() || entry.password.empty()) {
            reason = SkipReason::Incomplete;
        } else if (!isStorablePassword(entry.password, ansi_)) {
            reason = SkipReason::UnstorablePassword;
        } else if (static_cast<int>(plan_.entries.size()) >= freeRows_) {
            reason = SkipReason::TableFull;
        }
        if (reason) {
            skip(line, entry.title, *reason);
            return;
        }
        if (entry.title.size() > kStoredTextUnits || entry.id.size() > kStoredTextUnits) {
            ++plan_.entriesCut;
            entry.title = std::u16string(cutToUnits(entry.title, kStoredTextUnits));
            entry.id = std::u16string(cutToUnits(entry.id, kStoredTextUnits));
        }
        plan_.entries.push_back(std::move(entry));
    }

    const int freeRows_;
    const AnsiCodec& ansi_;
    bool headerRead_ = false;
    CsvColumns header_;
    std::optional<CsvColumns> columns_;
    std::u16string title_, id_, password_, url_, type_;
    bool blank_ = true;
    ImportPlan plan_;
};

} // namespace

ImportReading planImport(std::span<const std::uint8_t> bytes, int freeRows, const AnsiCodec& ansi) {
    ImportReading reading;
    const std::optional<std::u16string> text = decodeCsvText(bytes, ansi);
    if (!text) {
        reading.refusal = ImportRefusal::NotText;
        return reading;
    }
    ImportPlanner planner(freeRows, ansi);
    const CsvParse parse = visitCsvText(*text, planner);
    if (parse.status == CsvStatus::UnclosedQuote) {
        reading.refusal = ImportRefusal::UnclosedQuote;
        reading.failedLine = parse.failedLine;
        return reading;
    }
    if (!planner.columns()) {
        reading.refusal = ImportRefusal::NoHeader;
        return reading;
    }
    reading.plan = std::move(planner.plan());
    return reading;
}

std::u16string importPreviewText(const ImportPlan& plan, std::u16string_view fileName) {
    const std::u16string name = previewLine(fileName);
    std::u16string text =
        plan.entries.empty() ? formatText(kImportNothingText, {name})
                             : formatText(kImportAddCountText,
                                          {name, formatInt(static_cast<int>(plan.entries.size()))});
    if (plan.skippedTotal() > 0) {
        text += formatText(kImportSkippedHeading, {formatInt(plan.skippedTotal())});
        for (std::size_t i = 0; i < kSkipReasonCount; ++i) {
            if (plan.skipped[i] > 0) {
                text +=
                    formatText(kImportSkippedReasonText, {reasonText(static_cast<SkipReason>(i)),
                                                          formatInt(plan.skipped[i])});
            }
        }
        text += kImportSkippedRowsHeading;
        for (const SkippedRow& row : plan.firstSkipped) {
            text += row.title.empty()
                        ? formatText(kImportSkippedUntitledRowText, {formatInt(row.line)})
                        : formatText(kImportSkippedRowText,
                                     {formatInt(row.line), previewLine(row.title)});
        }
    }
    if (plan.entriesCut > 0) {
        text += formatText(kImportCutText, {formatInt(plan.entriesCut)});
    }
    if (!plan.entries.empty()) {
        text += kImportConfirmText;
    }
    return text;
}

std::u16string importRefusalText(const ImportReading& reading, std::u16string_view fileName) {
    const std::u16string name = previewLine(fileName);
    switch (reading.refusal) {
    case ImportRefusal::None:
        break;
    case ImportRefusal::NotText:
        return formatText(kImportNotTextText, {name});
    case ImportRefusal::UnclosedQuote:
        return formatText(kImportUnclosedQuoteText, {name, formatInt(reading.failedLine)});
    case ImportRefusal::NoHeader:
        return formatText(kImportNoHeaderText, {name});
    }
    return u"「" + name + u"」";
}

void addImportedEntries(EntryTable& table, std::span<const ImportedEntry> entries) {
    table.appendEntries(entries);
    table.markChanged();
}

CsvExport exportCsv(const EntryTable& table) {
    std::vector<CsvRecord> records{CsvRecord(std::begin(kExportHeader), std::end(kExportHeader))};
    CsvExport result;
    const int count = std::min(table.rowCount(), kSlotCount);
    for (int row = 0; row < count; ++row) {
        records.push_back({storedText(table.cellText(row, kCellTitle)),
                           storedText(table.cellText(row, kCellType)),
                           storedText(table.cellText(row, kCellId)), table.passwords().at(row)});
        if (table.passwordUnreadable(row)) {
            ++result.unreadablePasswords;
        }
    }
    result.entries = count;
    result.bytes = csvFileBytes(records);
    return result;
}

} // namespace kavo
