#include "store/csv_text.h"
#include "store/utf16_text.h"

#include <algorithm>
#include <cstdint>

namespace kavo {

namespace {

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

bool startsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool isHigh(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendCodePoint(std::u16string& out, char32_t point) {
    if (point < 0x10000) {
        out.push_back(static_cast<char16_t>(point));
        return;
    }
    point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
std::optional<std::u16string> decodeUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t point = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, point = lead & 0x1Fu, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, point = lead & 0x0Fu, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, point = lead & 0x07u, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i < length) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const std::uint8_t next = bytes[i + k];
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            point = (point << 6) | (next & 0x3Fu);
        }
        if (point < least || point > 0x10FFFF || isHigh(point) || isLow(point)) {
            return std::nullopt;
        }
        appendCodePoint(text, point);
        i += length;
    }
    return text;
}

std::optional<std::u16string> decodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned>(bytes[bigEndian ? i : i + 1]);
        const auto second = static_cast<unsigned>(bytes[bigEndian ? i + 1 : i]);
        text.push_back(static_cast<char16_t>((first << 8) | second));
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1])) {
            ++i;
        } else if (isHigh(text[i]) || isLow(text[i])) {
            return std::nullopt;
        }
    }
    return text;
}

bool needsQuotes(std::u16string_view field, char16_t separator) {
    const char16_t special[] = {separator, u'"', u'\r', u'\n', 0};
    return field.find_first_of(special) != std::u16string_view::npos ||
           (!field.empty() && (field.front() == u' ' || field.back() == u' '));
}

} // namespace

std::optional<std::u16string> decodeCsvText(std::span<const std::uint8_t> bytes,
                                            const AnsiCodec& ansi) {
    constexpr std::uint8_t kLittleMark[] = {0xFF, 0xFE};
    constexpr std::uint8_t kBigMark[] = {0xFE, 0xFF};
    std::optional<std::u16string> text;
    if (startsWith(bytes, kUtf8Mark)) {
        text = decodeUtf8(bytes.subspan(std::size(kUtf8Mark)));
    } else if (startsWith(bytes, kLittleMark)) {
        text = decodeUtf16(bytes.subspan(2), false);
    } else if (startsWith(bytes, kBigMark)) {
        text = decodeUtf16(bytes.subspan(2), true);
    } else {
        text = decodeUtf8(bytes);
        if (!text) {
            text = ansi.fromAnsi(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        }
    }
    if (text && text->find(u'\0') != std::u16string::npos) {
        return std::nullopt;
    }
    return text;
}

CsvParse visitCsvText(std::u16string_view text, CsvVisitor& visitor, const CsvDialect& dialect) {
    CsvParse result;
    int line = 1;
    std::size_t pos = 0;
    // A quoted field's text, kept between fields so a long file does not allocate for each.
    std::u16string quoted;
    // Line breaks at the very end make no records: a blank last line is no row.
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) {
        text.remove_suffix(1);
    }
    const char16_t fieldEnds[] = {dialect.separator, u'\r', u'\n', 0};
    const std::u16string_view quotedStops = dialect.backslashEscapes ? u"\"\\\r\n" : u"\"\r\n";
    // A line break ends the line; CR LF counts once, and so does CR CR LF, as some tools write.
    const auto takeLineBreak = [&] {
        if (text.substr(pos, 3) == u"\r\r\n") {
            pos += 2;
        } else if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') {
            ++pos;
        }
        ++pos;
        ++line;
    };
    const auto restOfField = [&] {
        const std::size_t from = pos;
        pos = std::min(text.find_first_of(fieldEnds, pos), text.size());
        return text.substr(from, pos - from);
    };
    while (pos < text.size()) {
        const int recordLine = line;
        for (std::size_t index = 0;; ++index) {
            if (pos < text.size() && text[pos] == u'"') {
                const int quoteLine = line;
                quoted.clear();
                ++pos;
                for (;;) {
                    const std::size_t stop = text.find_first_of(quotedStops, pos);
                    if (stop == std::u16string_view::npos) {
                        return {CsvStatus::UnclosedQuote, quoteLine, result.irregularLine};
                    }
                    quoted.append(text.substr(pos, stop - pos));
                    pos = stop;
                    const char16_t next = pos + 1 < text.size() ? text[pos + 1] : u'\0';
                    if (text[pos] == u'\\') {
                        // Only a quote or a backslash is escaped; any other backslash is itself.
                        const bool escape = next == u'"' || next == u'\\';
                        quoted.push_back(escape ? next : u'\\');
                        pos += escape ? 2 : 1;
                    } else if (text[pos] != u'"') {
                        takeLineBreak();
                        quoted.append(text.substr(stop, pos - stop));
                    } else if (!dialect.backslashEscapes && next == u'"') {
                        quoted.push_back(u'"');
                        pos += 2;
                    } else {
                        ++pos;
                        break;
                    }
                }
                const std::u16string_view after = restOfField();
                if (!after.empty() && result.irregularLine == 0) {
                    result.irregularLine = line;
                }
                quoted.append(after);
                visitor.field(index, quoted);
            } else {
                visitor.field(index, restOfField());
            }
            if (pos < text.size() && text[pos] == dialect.separator) {
                ++pos;
                continue;
            }
            break;
        }
        if (pos < text.size()) {
            takeLineBreak();
        }
        visitor.endRecord(recordLine);
    }
    return result;
}

CsvDocument parseCsvText(std::u16string_view text, const CsvDialect& dialect) {
    class Collector final : public CsvVisitor {
      public:
        void field(std::size_t, std::u16string_view text) override { fields_.emplace_back(text); }
        void endRecord(int line) override {
            records.push_back({line, std::move(fields_)});
            fields_.clear();
        }
        std::vector<CsvLine> records;

      private:
        CsvRecord fields_;
    } collector;
    CsvDocument document;
    const CsvParse parse = visitCsvText(text, collector, dialect);
    document.status = parse.status;
    document.failedLine = parse.failedLine;
    if (parse.status == CsvStatus::Ok) {
        document.records = std::move(collector.records);
    }
    return document;
}

CsvDocument readCsvFile(std::span<const std::uint8_t> bytes, const AnsiCodec& ansi) {
    const std::optional<std::u16string> text = decodeCsvText(bytes, ansi);
    if (!text) {
        CsvDocument document;
        document.status = CsvStatus::NotText;
        return document;
    }
    return parseCsvText(*text);
}

Bytes csvFileBytes(std::span<const CsvRecord> records, const CsvDialect& dialect) {
    Bytes out(std::begin(kUtf8Mark), std::end(kUtf8Mark));
    for (const CsvRecord& record : records) {
        // Quoted, so that a last record of one empty field is not taken for a closing line break.
        if (record.size() == 1 && record[0].empty()) {
            appendUtf8(out, u"\"\"\r\n");
            continue;
        }
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0) {
                appendUtf8(out, std::u16string_view(&dialect.separator, 1));
            }
            const std::u16string_view field = record[i];
            if (!dialect.backslashEscapes && !needsQuotes(field, dialect.separator)) {
                appendUtf8(out, field);
                continue;
            }
            std::u16string quoted = u"\"";
            for (const char16_t unit : field) {
                if (dialect.backslashEscapes && (unit == u'"' || unit == u'\\')) {
                    quoted.push_back(u'\\');
                } else if (unit == u'"') {
                    quoted.push_back(u'"');
                }
                quoted.push_back(unit);
            }
            quoted.push_back(u'"');
            appendUtf8(out, quoted);
        }
        out.push_back('\r');
        out.push_back('\n');
    }
    return out;
}

} // namespace kavo
