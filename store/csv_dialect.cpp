#include "store/csv_dialect.h"

#include <array>

namespace kavo {

namespace {

// The header row of the format that escapes with backslashes, as its writer puts it.
constexpr std::u16string_view kBackslashDialectHeader =
    u"\"Account\",\"Login Name\",\"Password\",\"Web Site\",\"Comments\"";

constexpr std::array<char16_t, 3> kSeparators = {u',', u';', u'\t'};

char16_t guessSeparator(std::u16string_view text) {
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    for (const char16_t unit : text) {
        if (unit == u'"') {
            quoted = !quoted;
        } else if (!quoted && (unit == u'\r' || unit == u'\n')) {
            break;
        }
        for (std::size_t i = 0; !quoted && i < kSeparators.size(); ++i) {
            counts[i] += unit == kSeparators[i] ? 1 : 0;
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < kSeparators.size(); ++i) {
        if (counts[i] > counts[best]) {
            best = i;
        }
    }
    return kSeparators[best];
}

CsvParse readThrough(std::u16string_view text, const CsvDialect& dialect) {
    class Ignore final : public CsvVisitor {
        void field(std::size_t, std::u16string_view) override {}
        void endRecord(int) override {}
    } ignore;
    return visitCsvText(text, ignore, dialect);
}

bool clean(const CsvParse& parse) {
    return parse.status == CsvStatus::Ok && parse.irregularLine == 0;
}

bool startsWithBackslashHeader(std::u16string_view text) {
    if (!text.empty() && text.front() == u'\uFEFF') {
        text.remove_prefix(1);
    }
    return text.starts_with(kBackslashDialectHeader) &&
           (text.size() == kBackslashDialectHeader.size() ||
            text[kBackslashDialectHeader.size()] == u'\r' ||
            text[kBackslashDialectHeader.size()] == u'\n');
}

} // namespace

CsvDialectGuess guessCsvDialect(std::u16string_view text) {
    const char16_t separator = guessSeparator(text);
    const CsvDialect plain{separator, false};
    const CsvDialect backslash{separator, true};
    if (startsWithBackslashHeader(text) && clean(readThrough(text, backslash))) {
        return {CsvStatus::Ok, 0, backslash};
    }
    const CsvParse plainRead = readThrough(text, plain);
    if (clean(plainRead)) {
        return {CsvStatus::Ok, 0, plain};
    }
    if (clean(readThrough(text, backslash))) {
        return {CsvStatus::Ok, 0, backslash};
    }
    if (plainRead.status == CsvStatus::UnclosedQuote) {
        return {CsvStatus::UnclosedQuote, plainRead.failedLine, plain};
    }
    return {CsvStatus::Inconsistent, plainRead.irregularLine, plain};
}

} // namespace kavo
