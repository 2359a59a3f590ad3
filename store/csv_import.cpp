#include "store/csv_import.h"

#include "resources/texts.h"
#include "store/csv_dialect.h"
#include "store/secure_wipe.h"
#include "store/decimal_text.h"
#include "store/list_file.h"
#include "store/text_format.h"
#include "store/utf16_text.h"

#include <algorithm>
#include <initializer_list>

namespace kavo {

namespace {

constexpr std::u16string_view kExportHeader[] = {u"title", u"type", u"id", u"password"};

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
    ImportPlanner(const CsvLayout& layout, int freeRows, const AnsiCodec& ansi)
        : columns_(layout.columns), skipHeader_(layout.firstRowIsHeader), freeRows_(freeRows),
          ansi_(ansi) {}

    void field(std::size_t index, std::u16string_view text) override {
        if (skipHeader_) {
            return;
        }
        blank_ = blank_ && text.empty();
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
        take(columns_.title, title_, kKeptUnits);
        take(columns_.id, id_, kKeptUnits);
        take(columns_.email, email_, kKeptUnits);
        take(columns_.password, password_, kKeptUnits);
        take(columns_.url, url_, kUrlUnits);
        take(columns_.type, type_, 2);
    }

    void endRecord(int) override {
        ++row_;
        if (skipHeader_) {
            skipHeader_ = false;
            return;
        }
        planRow();
        for (std::u16string* text : {&title_, &id_, &email_, &password_, &url_, &type_}) {
            text->clear();
        }
        blank_ = true;
    }

    ImportPlan& plan() { return plan_; }

  private:
    void skip(std::u16string_view title, SkipReason reason) {
        ++plan_.skipped[static_cast<std::size_t>(reason)];
        if (plan_.firstSkipped.size() < kNamedSkippedRows) {
            plan_.firstSkipped.push_back({row_, previewLine(title), reason});
        }
    }

    void planRow() {
        if (blank_) {
            // Most rows of a huge file may be blank lines: they cost no entry.
            skip({}, SkipReason::EmptyRow);
            return;
        }
        ImportedEntry entry;
        entry.title = isBlankText(title_) ? hostOfUrl(url_) : oneLine(title_);
        entry.id = oneLine(id_.empty() ? email_ : id_);
        entry.password = password_;
        entry.type = EntryType::knownOrButton(type_);
        // Cut first: a title whose kept part is all blanks has no title either.
        const bool cut =
            entry.title.size() > kStoredTextUnits || entry.id.size() > kStoredTextUnits;
        entry.title.resize(cutToUnits(entry.title, kStoredTextUnits).size());
        entry.id.resize(cutToUnits(entry.id, kStoredTextUnits).size());

        std::optional<SkipReason> reason;
        if (isBlankText(entry.title) || entry.id.empty() || entry.password.empty()) {
            reason = SkipReason::Incomplete;
        } else if (!isStorablePassword(entry.password, ansi_)) {
            reason = SkipReason::UnstorablePassword;
        } else if (static_cast<int>(plan_.entries.size()) >= freeRows_) {
            reason = SkipReason::TableFull;
        }
        if (reason) {
            skip(entry.title, *reason);
            return;
        }
        plan_.entriesCut += cut ? 1 : 0;
        plan_.entries.push_back(std::move(entry));
    }

    const CsvColumns columns_;
    bool skipHeader_;
    const int freeRows_;
    const AnsiCodec& ansi_;
    int row_ = 0;
    std::u16string title_, id_, email_, password_, url_, type_;
    bool blank_ = true;
    ImportPlan plan_;
};

// The first rows of a file, their fields cut to what the picker and the guess look at.
class SurveyCollector final : public CsvVisitor {
  public:
    explicit SurveyCollector(std::vector<CsvRecord>& rows) : rows_(rows) {}

    void field(std::size_t index, std::u16string_view text) override {
        if (rows_.size() < kSurveyRows && index < kSurveyColumns) {
            fields_.emplace_back(cutToUnits(text, kSurveyFieldUnits));
        }
    }
    void endRecord(int) override {
        if (rows_.size() < kSurveyRows) {
            rows_.push_back(std::move(fields_));
            fields_.clear();
        }
    }

  private:
    std::vector<CsvRecord>& rows_;
    CsvRecord fields_;
};

ImportRefusal refusalOf(CsvStatus status) {
    switch (status) {
    case CsvStatus::Ok:
        break;
    case CsvStatus::NotText:
        return ImportRefusal::NotText;
    case CsvStatus::UnclosedQuote:
        return ImportRefusal::UnclosedQuote;
    case CsvStatus::Inconsistent:
        return ImportRefusal::Inconsistent;
    }
    return ImportRefusal::None;
}

CsvLayout guessLayout(const CsvDialect& dialect, std::span<const CsvRecord> rows,
                      bool& headerKnown) {
    CsvLayout layout;
    layout.dialect = dialect;
    headerKnown = false;
    if (!rows.empty()) {
        if (const std::optional<CsvColumns> named = columnsOfHeader(rows.front())) {
            headerKnown = true;
            layout.columns = *named;
            return layout;
        }
    }
    layout.firstRowIsHeader = looksLikeHeaderRow(rows);
    layout.columns = guessColumnsByShape(layout.firstRowIsHeader ? rows.subspan(1) : rows);
    return layout;
}

} // namespace

CsvSurvey surveyCsv(std::span<const std::uint8_t> bytes, const AnsiCodec& ansi) {
    CsvSurvey survey;
    std::optional<std::u16string> text = decodeCsvText(bytes, ansi);
    if (!text) {
        survey.refusal = ImportRefusal::NotText;
        return survey;
    }
    const WipedAtEnd<std::u16string> textWiped(*text);
    const CsvDialectGuess dialect = guessCsvDialect(*text);
    if (dialect.status != CsvStatus::Ok) {
        survey.refusal = refusalOf(dialect.status);
        survey.failedLine = dialect.failedLine;
        return survey;
    }
    SurveyCollector collector(survey.firstRows);
    visitCsvText(*text, collector, dialect.dialect);
    if (survey.firstRows.empty()) {
        survey.refusal = ImportRefusal::NoRows;
        return survey;
    }
    for (const CsvRecord& row : survey.firstRows) {
        survey.columnCount = std::max(survey.columnCount, row.size());
    }
    survey.guess = guessLayout(dialect.dialect, survey.firstRows, survey.headerKnown);
    return survey;
}

void wipeSurvey(CsvSurvey& survey) {
    for (CsvRecord& row : survey.firstRows) {
        for (std::u16string& field : row) {
            wipeText(field);
        }
    }
    survey.firstRows.clear();
}

ImportReading planImport(std::span<const std::uint8_t> bytes, const CsvLayout& layout, int freeRows,
                         const AnsiCodec& ansi) {
    ImportReading reading;
    std::optional<std::u16string> text = decodeCsvText(bytes, ansi);
    if (!text) {
        reading.refusal = ImportRefusal::NotText;
        return reading;
    }
    const WipedAtEnd<std::u16string> textWiped(*text);
    ImportPlanner planner(layout, freeRows, ansi);
    const CsvParse parse = visitCsvText(*text, planner, layout.dialect);
    if (parse.status == CsvStatus::UnclosedQuote) {
        reading.refusal = ImportRefusal::UnclosedQuote;
        reading.failedLine = parse.failedLine;
        return reading;
    }
    reading.plan = std::move(planner.plan());
    return reading;
}

ImportReading planImport(std::span<const std::uint8_t> bytes, int freeRows, const AnsiCodec& ansi) {
    CsvSurvey survey = surveyCsv(bytes, ansi);
    ImportReading reading;
    reading.refusal = survey.refusal;
    reading.failedLine = survey.failedLine;
    if (survey.refusal == ImportRefusal::None && !survey.headerKnown) {
        reading.refusal = ImportRefusal::NoHeader;
    }
    wipeSurvey(survey);
    if (reading.refusal != ImportRefusal::None) {
        return reading;
    }
    return planImport(bytes, survey.guess, freeRows, ansi);
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
                        ? formatText(kImportSkippedUntitledRowText, {formatInt(row.row)})
                        : formatText(kImportSkippedRowText,
                                     {formatInt(row.row), previewLine(row.title)});
        }
    }
    if (plan.entriesCut > 0) {
        text += formatText(kImportCutText, {formatInt(plan.entriesCut)});
    }
    text += plan.entries.empty() ? kImportPickerOfferText : kImportConfirmText;
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
    case ImportRefusal::Inconsistent:
        return formatText(kImportInconsistentText, {name, formatInt(reading.failedLine)});
    case ImportRefusal::NoRows:
        return formatText(kImportNoRowsText, {name});
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
