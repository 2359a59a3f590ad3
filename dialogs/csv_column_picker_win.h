// The column picker of the CSV import: the file's first rows and one list of its columns for
// each of an entry's texts, starting at the choices given.
#pragma once

#include <windows.h>

#include "dialogs/csv_column_picker.h"

#include <optional>

namespace kavo {

// Runs the picker modally over the owner. The choices of ＯＫ once they suffice to read entries;
// nullopt for キャンセル.
std::optional<PickerChoices> runColumnPicker(HWND owner, HINSTANCE instance,
                                             const CsvSurvey& survey, const PickerChoices& start);

} // namespace kavo
