// The table of log-in entries, the one owner of every entry as a whole: its title, type and ID
// live here, its password in the slot of the same index. Every operation that moves rows moves
// the slots and the rows' marks the same way, so row i and slot i always belong together. The
// list on screen only shows the table: it asks for the cells it paints.
#pragma once

#include "resources/texts.h"
#include "store/entry.h"
#include "store/password_slots.h"
#include "store/row_view.h"
#include "store/store_contents.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// One row per password slot; the table never grows past it.
constexpr int kMaxRows = kSlotCount;
// Titles and IDs keep at most this many units, what the list file stores.
constexpr std::size_t kStoredTextUnits = 127;
constexpr std::u16string_view kMaskText = u"*******";

enum class MoveDirection { Up = 0, Down = 1 };

// What the table operations need of the window around them.
class TableHost {
  public:
    virtual ~TableHost() = default;
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0; // MB_OK
    virtual void startRevealTimer() = 0; // (re)starts the reveal timer with pwShowMs
    // The passwords have been revealed in the list, or masked again.
    virtual void passwordsShown(bool) {}
};

class EntryTable {
  public:
    EntryTable(RowView& view, StoreContents& contents, TableHost& host);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isFull() const { return rowCount() >= kMaxRows; }
    int freeRows() const { return kMaxRows - rowCount(); }
    // The cell as the list shows it: title, type letter, ID, and the password masked or
    // revealed. A missing row or cell is empty.
    std::u16string_view cellText(int row, int cell) const;
    // The whole entry of a row; nullopt for a missing row.
    std::optional<Entry> entryAt(int row) const;
    // The first selected row, or -1.
    int selectedRow() const { return view_.selectedRow(); }
    std::optional<Entry> selectedEntry() const { return entryAt(selectedRow()); }
    bool passwordUnreadable(int row) const { return contents_.slots.isUnreadable(row); }
    const PasswordSlots& passwords() const { return contents_.slots; }

    // The rows of a loaded list file, passwords aside: they come from the password file. Every
    // mark goes.
    void loadRows(std::vector<Entry> rows);
    // Inserts the entry at `at` (clamped to the end), its password into the slot beside it; the
    // slots after it move down. A full table takes nothing: callers check isFull() first and
    // tell the user.
    void insertEntry(int at, const Entry& entry);
    // Rewrites the row. A password equal to the row's keeps the slot as it is, so one loaded
    // from the file stays byte for byte what it was.
    void replaceEntry(int row, const Entry& entry);
    // Appends the entries in order, as many as there is room for; returns how many.
    int appendEntries(std::span<const Entry> entries);
    // One type for every row; passwords, marks and slots stay.
    void setEveryType(EntryType type);

    // The selected rows in ascending order; afterwards no row carries a mark.
    std::vector<int> collectSelectedRows();
    void deleteSelectedRows();
    void moveSelectedRows(MoveDirection direction);

    // Flips the column's direction, then reorders rows, marks and slots together.
    void sortByColumn(int column);
    // 1 ascending, anything else descending.
    int sortDirection(int column) const;

    void revealPasswords(bool startTimer);
    void maskPasswords();
    // Judged by row 0 alone: a PW cell starting with the mask text counts as masked.
    void toggleReveal();
    // Turns what a click left selected or focused into the full highlight; clears other rows.
    void highlightSelection();
    void clearRowMarks(int row); // kEveryRow: every row
    // The row becomes the only selected one, highlighted as a click leaves it.
    void selectOnly(int row);
    // selectOnly, scrolled into view, as find shows the row it found.
    void showFoundRow(int row);
    // Scrolls the row into view, as an import shows where its entries went.
    void scrollTo(int row) { view_.bringRowIntoView(row, false); }
    int selectedCount() const { return view_.selectedCount(); }
    // The list paints its rows again, as when the way it draws them changes.
    void repaint() { view_.repaintRows(); }
    void giveListTheKeyboard() { view_.takeKeyboard(); }

    // Marks the contents as changed since the last save.
    void markChanged() { contents_.dirty = true; }

  private:
    struct Row {
        std::u16string title;
        EntryType type;
        std::u16string id;
        // The PW cell shows the password rather than the mask; a new row starts masked.
        bool revealed = false;
    };

    static Row rowOf(const Entry& entry);
    int compareTexts(std::u16string_view a, std::u16string_view b, int column) const;
    // The rows were rearranged: row k now holds what row oldIndex[k] held (-1: a new row), and
    // each keeps its marks; then the list shows the new rows.
    void followMarks(std::span<const int> oldIndex, int oldCount);

    RowView& view_;
    StoreContents& contents_;
    TableHost& host_;
    std::vector<Row> rows_;
    // The first click flips the value, so Name sorts descending first and the others ascending.
    std::array<int, kCellCount> sortDirection_{1, 0, 0, 0};
};

} // namespace kavo
