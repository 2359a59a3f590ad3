#include "store/csv_columns.h"

#include "store/ascii_case.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace kavo {

namespace {

enum class Field { Title, Type, Id, Email, Password, Url };

struct HeaderName {
    std::u16string_view name; // lowercased
    Field field;
    int rank; // lower is a better name for the field
};

// Header names as the exports write them.
constexpr HeaderName kHeaderNames[] = {
    {u"title", Field::Title, 0},
    {u"name", Field::Title, 0},
    {u"account", Field::Title, 0},
    {u"nickname", Field::Title, 0},
    {u"label", Field::Title, 0},
    {u"entry name", Field::Title, 0},
    {u"display_name", Field::Title, 0},
    {u"display name", Field::Title, 0},
    {u"secret name", Field::Title, 0},
    {u"タイトル", Field::Title, 0},
    {u"名前", Field::Title, 0},
    {u"名称", Field::Title, 0},
    {u"サイト名", Field::Title, 0},
    {u"サービス名", Field::Title, 0},
    {u"hostname", Field::Title, 1},
    {u"id", Field::Id, 0},
    {u"username", Field::Id, 0},
    {u"user name", Field::Id, 0},
    {u"user_name", Field::Id, 0},
    {u"login name", Field::Id, 0},
    {u"login_username", Field::Id, 0},
    {u"user", Field::Id, 0},
    {u"login", Field::Id, 0},
    {u"user id", Field::Id, 0},
    {u"userid", Field::Id, 0},
    {u"login id", Field::Id, 0},
    {u"ユーザー名", Field::Id, 0},
    {u"ユーザ名", Field::Id, 0},
    {u"ユーザーid", Field::Id, 0},
    {u"ユーザid", Field::Id, 0},
    {u"ログインid", Field::Id, 0},
    {u"ログイン名", Field::Id, 0},
    {u"email", Field::Email, 0},
    {u"e-mail", Field::Email, 0},
    {u"email address", Field::Email, 0},
    {u"mail", Field::Email, 0},
    {u"メール", Field::Email, 0},
    {u"メールアドレス", Field::Email, 0},
    {u"password", Field::Password, 0},
    {u"login_password", Field::Password, 0},
    {u"pass", Field::Password, 0},
    {u"pwd", Field::Password, 0},
    {u"passwd", Field::Password, 0},
    {u"パスワード", Field::Password, 0},
    {u"url", Field::Url, 0},
    {u"web site", Field::Url, 0},
    {u"website", Field::Url, 0},
    {u"login_uri", Field::Url, 0},
    {u"uri", Field::Url, 0},
    {u"site", Field::Url, 0},
    {u"site url", Field::Url, 0},
    {u"domain", Field::Url, 0},
    {u"login_urls", Field::Url, 0},
    {u"login url", Field::Url, 0},
    {u"サイトurl", Field::Url, 0},
    {u"type", Field::Type, 0},
    {u"種類", Field::Type, 0},
};

bool isBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\u3000';
}

std::u16string headerName(std::u16string_view cell) {
    // A second byte-order mark, left by a tool that wrote its own in front of the text.
    if (!cell.empty() && cell.front() == u'\uFEFF') {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && isBlank(cell.front())) {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && isBlank(cell.back())) {
        cell.remove_suffix(1);
    }
    std::u16string name(cell);
    for (char16_t& unit : name) {
        // Full-width letters and digits, as Japanese headers often spell "ID" or "URL".
        if (unit >= u'\uFF01' && unit <= u'\uFF5E') {
            unit = static_cast<char16_t>(unit - 0xFEE0);
        }
    }
    return foldAsciiCase(name);
}

int& columnOf(CsvColumns& columns, Field field) {
    switch (field) {
    case Field::Title:
        return columns.title;
    case Field::Type:
        return columns.type;
    case Field::Id:
        return columns.id;
    case Field::Email:
        return columns.email;
    case Field::Password:
        return columns.password;
    case Field::Url:
        break;
    }
    return columns.url;
}

bool isUrlLike(std::u16string_view text) {
    const std::u16string folded = foldAsciiCase(text.substr(0, 16));
    if (folded.starts_with(u"http://") || folded.starts_with(u"https://") ||
        folded.starts_with(u"www.") || folded.starts_with(u"ftp://")) {
        return true;
    }
    // A bare host: letters and dots with a dot inside, no @ and no blanks.
    const std::size_t dot = text.find(u'.');
    return dot != std::u16string_view::npos && dot > 0 && dot + 2 < text.size() &&
           text.find_first_of(u"@ \t") == std::u16string_view::npos &&
           std::all_of(text.begin(), text.end(),
                       [](char16_t unit) {
                           return (unit >= u'a' && unit <= u'z') ||
                                  (unit >= u'A' && unit <= u'Z') ||
                                  (unit >= u'0' && unit <= u'9') || unit == u'.' || unit == u'-' ||
                                  unit == u'/' || unit == u':';
                       }) &&
           std::any_of(text.begin() + static_cast<std::ptrdiff_t>(dot), text.end(),
                       [](char16_t unit) { return unit >= u'a' && unit <= u'z'; });
}

bool isEmailLike(std::u16string_view text) {
    const std::size_t at = text.find(u'@');
    return at != std::u16string_view::npos && at > 0 &&
           text.find(u'.', at) != std::u16string_view::npos &&
           text.find_first_of(u" \t") == std::u16string_view::npos;
}

bool hasBlank(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), isBlank);
}

// How random a text looks: the kinds of characters it mixes, and one more for a long one.
int randomness(std::u16string_view text) {
    if (text.empty() || hasBlank(text)) {
        return 0;
    }
    bool lower = false, upper = false, digit = false, other = false;
    for (const char16_t unit : text) {
        lower = lower || (unit >= u'a' && unit <= u'z');
        upper = upper || (unit >= u'A' && unit <= u'Z');
        digit = digit || (unit >= u'0' && unit <= u'9');
        other = other || !((unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
                           (unit >= u'0' && unit <= u'9'));
    }
    return int{lower} + int{upper} + int{digit} + int{other} + (text.size() >= 12 ? 1 : 0);
}

struct ColumnShape {
    int filled = 0;
    int urls = 0;
    int emails = 0;
    int blanks = 0; // values with a blank inside
    int randomness = 0;
    std::set<std::u16string> values;
};

std::vector<ColumnShape> shapesOf(std::span<const CsvRecord> rows) {
    std::vector<ColumnShape> shapes;
    for (const CsvRecord& row : rows) {
        if (shapes.size() < row.size()) {
            shapes.resize(row.size());
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::u16string_view value = row[i];
            if (isBlankText(value)) {
                continue;
            }
            ColumnShape& shape = shapes[i];
            ++shape.filled;
            shape.urls += isUrlLike(value) ? 1 : 0;
            shape.emails += isEmailLike(value) ? 1 : 0;
            shape.blanks += hasBlank(value) ? 1 : 0;
            shape.randomness += randomness(value);
            shape.values.emplace(value);
        }
    }
    return shapes;
}

// The column where most values are of one kind (at least half of those filled), or -1.
template <typename Count>
int mostlyOfKind(const std::vector<ColumnShape>& shapes, const CsvColumns& taken, Count count) {
    int best = -1;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const int column = static_cast<int>(i);
        const int n = count(shapes[i]);
        if (n == 0 || n * 2 < shapes[i].filled || column == taken.url || column == taken.email) {
            continue;
        }
        if (best < 0 || n > count(shapes[static_cast<std::size_t>(best)])) {
            best = column;
        }
    }
    return best;
}

bool isTaken(const CsvColumns& columns, int column) {
    return column == columns.title || column == columns.id || column == columns.email ||
           column == columns.password || column == columns.url || column == columns.type;
}

} // namespace

bool columnsSuffice(const CsvColumns& columns) {
    return columns.password >= 0 &&
           (columns.title >= 0 || columns.id >= 0 || columns.email >= 0 || columns.url >= 0);
}

std::optional<CsvColumns> columnsOfHeader(const CsvRecord& header) {
    CsvColumns columns;
    CsvColumns ranks;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::u16string name = headerName(header[i]);
        for (const HeaderName& known : kHeaderNames) {
            if (known.name != name) {
                continue;
            }
            int& column = columnOf(columns, known.field);
            int& rank = columnOf(ranks, known.field);
            if (column < 0 || known.rank < rank) {
                column = static_cast<int>(i);
                rank = known.rank;
            }
            break;
        }
    }
    if (!columnsSuffice(columns)) {
        return std::nullopt;
    }
    return columns;
}

CsvColumns guessColumnsByShape(std::span<const CsvRecord> rows) {
    const std::vector<ColumnShape> shapes = shapesOf(rows);
    CsvColumns columns;
    columns.url = mostlyOfKind(shapes, columns, [](const ColumnShape& s) { return s.urls; });
    columns.email = mostlyOfKind(shapes, columns, [](const ColumnShape& s) { return s.emails; });
    // The password: the highest mean randomness among columns whose values have no blanks.
    double bestRandomness = 0;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const ColumnShape& shape = shapes[i];
        const int column = static_cast<int>(i);
        if (shape.filled == 0 || shape.blanks * 2 > shape.filled || isTaken(columns, column)) {
            continue;
        }
        const double mean = static_cast<double>(shape.randomness) / shape.filled;
        if (mean > bestRandomness) {
            bestRandomness = mean;
            columns.password = column;
        }
    }
    // The title: of the other columns, the one whose values differ most; the first of equals.
    std::size_t mostValues = 0;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        if (!isTaken(columns, static_cast<int>(i)) && shapes[i].values.size() > mostValues) {
            mostValues = shapes[i].values.size();
            columns.title = static_cast<int>(i);
        }
    }
    // An ID that is no e-mail address: the first column without blanks after the title.
    for (std::size_t i = static_cast<std::size_t>(std::max(columns.title, -1) + 1);
         i < shapes.size(); ++i) {
        if (!isTaken(columns, static_cast<int>(i)) && shapes[i].filled > 0 &&
            shapes[i].blanks == 0) {
            columns.id = static_cast<int>(i);
            break;
        }
    }
    // An e-mail column alone is the ID; with a user name column it stands in for empty ones.
    if (columns.id < 0 || columns.id > columns.password) {
        if (columns.email >= 0) {
            columns.id = -1;
        }
    }
    return columns;
}

bool looksLikeHeaderRow(std::span<const CsvRecord> rows) {
    if (rows.size() < 2) {
        return false;
    }
    const CsvRecord& first = rows.front();
    const CsvColumns rest = guessColumnsByShape(rows.subspan(1));
    const auto cell = [&](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < first.size()
                   ? std::u16string_view(first[static_cast<std::size_t>(column)])
                   : std::u16string_view();
    };
    if (rest.url >= 0 || rest.email >= 0) {
        return !(rest.url >= 0 && isUrlLike(cell(rest.url))) &&
               !(rest.email >= 0 && isEmailLike(cell(rest.email)));
    }
    return !first.empty() && std::all_of(first.begin(), first.end(), [](const auto& name) {
        return !name.empty() && name.size() <= 32 &&
               std::none_of(name.begin(), name.end(), [](char16_t unit) {
                   return (unit >= u'0' && unit <= u'9') || unit == u'@';
               });
    });
}

bool isBlankText(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

} // namespace kavo
