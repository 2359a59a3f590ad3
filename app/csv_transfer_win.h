// The CSV import and export commands: the file dialogs, the preview and the messages around the
// decisions of dialogs/csv_transfer.
#pragma once

namespace kavo {

struct App;

// Reads a CSV file the user picks, shows what it would add and why rows are left out, and on
// ＯＫ appends the entries as unsaved changes.
void importCsv(App& app);
// Warns that the file will hold every password in clear text, then writes the table to a CSV
// file the user names, all or nothing.
void exportCsv(App& app);

} // namespace kavo
