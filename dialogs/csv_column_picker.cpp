#include "dialogs/csv_column_picker.h"

#include "resources/texts.h"
#include "store/decimal_text.h"
#include "store/text_format.h"
#include "store/utf16_text.h"

namespace kavo {

namespace {

constexpr std::size_t kChoiceTextUnits = 12;
constexpr std::size_t kCellTextUnits = 32;
constexpr std::u16string_view kHiddenCell = u"●●●●";

// The member of CsvColumns each PickedField chooses, in its order.
constexpr int CsvColumns::*kFieldColumns[kPickedFieldCount] = {&CsvColumns::title, &CsvColumns::id,
                                                               &CsvColumns::password,
                                                               &CsvColumns::url, &CsvColumns::type};

int chosen(const PickerChoices& choices, PickedField field) {
    return choices.columns[static_cast<std::size_t>(field)];
}

std::u16string shortLine(std::u16string_view text, std::size_t units) {
    std::u16string line(cutToUnits(text, units));
    for (char16_t& unit : line) {
        if (unit < u' ') {
            unit = u' ';
        }
    }
    return text.size() > units ? line + u"…" : line;
}

} // namespace

PickerChoices choicesOfLayout(const CsvLayout& layout) {
    PickerChoices choices;
    const CsvColumns& columns = layout.columns;
    for (std::size_t i = 0; i < kPickedFieldCount; ++i) {
        choices.columns[i] = columns.*kFieldColumns[i];
    }
    // A file whose only ID is an e-mail column shows that column as the ID.
    if (columns.id < 0) {
        choices.columns[static_cast<std::size_t>(PickedField::Id)] = columns.email;
    }
    choices.firstRowIsHeader = layout.firstRowIsHeader;
    return choices;
}

CsvLayout layoutOfChoices(const CsvSurvey& survey, const PickerChoices& choices) {
    CsvLayout layout;
    layout.dialect = survey.guess.dialect;
    layout.firstRowIsHeader = choices.firstRowIsHeader;
    for (std::size_t i = 0; i < kPickedFieldCount; ++i) {
        layout.columns.*kFieldColumns[i] = choices.columns[i];
    }
    const CsvColumns& guess = survey.guess.columns;
    if (guess.id >= 0 && layout.columns.id == guess.id && guess.email != guess.id) {
        layout.columns.email = guess.email;
    }
    return layout;
}

bool choicesSuffice(const PickerChoices& choices) {
    return chosen(choices, PickedField::Password) >= 0 &&
           (chosen(choices, PickedField::Title) >= 0 || chosen(choices, PickedField::Id) >= 0 ||
            chosen(choices, PickedField::Url) >= 0);
}

std::vector<std::u16string> columnChoiceTexts(const CsvSurvey& survey,
                                              const PickerChoices& choices) {
    std::vector<std::u16string> texts{std::u16string(kPickerNoColumn)};
    const int password = chosen(choices, PickedField::Password);
    for (std::size_t column = 0; column < survey.columnCount; ++column) {
        std::u16string_view sample;
        for (const CsvRecord& row : survey.firstRows) {
            if (column < row.size() && !row[column].empty()) {
                sample = row[column];
                break;
            }
            if (choices.firstRowIsHeader) {
                break;
            }
        }
        const std::u16string number = formatInt(static_cast<int>(column) + 1);
        const bool hidden = !choices.firstRowIsHeader && static_cast<int>(column) == password;
        texts.push_back(
            sample.empty() || hidden
                ? formatText(kPickerColumnHeading, {number})
                : formatText(kPickerColumnChoice, {number, shortLine(sample, kChoiceTextUnits)}));
    }
    return texts;
}

std::u16string pickerCellText(const CsvSurvey& survey, const PickerChoices& choices,
                              std::size_t row, std::size_t column) {
    if (row >= survey.firstRows.size() || column >= survey.firstRows[row].size()) {
        return {};
    }
    const std::u16string_view cell = survey.firstRows[row][column];
    const bool headerCell = row == 0 && choices.firstRowIsHeader;
    if (!headerCell && !cell.empty() &&
        static_cast<int>(column) == chosen(choices, PickedField::Password)) {
        return std::u16string(kHiddenCell);
    }
    return shortLine(cell, kCellTextUnits);
}

} // namespace kavo
