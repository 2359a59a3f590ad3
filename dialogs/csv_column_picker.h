// What the column picker shows and what its choices mean: one choice of a column (or none) for
// each of an entry's texts, the first rows with the password column hidden, and the layout the
// choices make. The dialog only shows these and hands the choices back.
#pragma once

#include "store/csv_import.h"

#include <array>
#include <string>
#include <vector>

namespace kavo {

// The texts the picker chooses a column for, in the dialog's order.
enum class PickedField { Title, Id, Password, Url, Type };
constexpr std::size_t kPickedFieldCount = 5;

// How many of the first rows the picker's list shows.
constexpr std::size_t kPickerRows = 8;

struct PickerChoices {
    // For each PickedField, the column from 0, or -1 for none.
    std::array<int, kPickedFieldCount> columns{-1, -1, -1, -1, -1};
    bool firstRowIsHeader = true;
};

// The choices that show this layout.
PickerChoices choicesOfLayout(const CsvLayout& layout);

// The layout the choices make for the surveyed file. An ID column left as guessed keeps the
// guess's e-mail column for rows whose ID is empty.
CsvLayout layoutOfChoices(const CsvSurvey& survey, const PickerChoices& choices);

// Whether ＯＫ can read entries with these choices.
bool choicesSuffice(const PickerChoices& choices);

// The texts of each field's list of choices: "なし", then each column by its number and its
// header (with a header row) or its first value; the password column's value is never shown.
std::vector<std::u16string> columnChoiceTexts(const CsvSurvey& survey,
                                              const PickerChoices& choices);

// The text of a cell of the picker's list: a password column's cells are hidden, other long
// ones cut to one short line.
std::u16string pickerCellText(const CsvSurvey& survey, const PickerChoices& choices,
                              std::size_t row, std::size_t column);

} // namespace kavo
