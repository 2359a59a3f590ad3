// The entry edit dialog: it appends a row, inserts one before the selected row, or rewrites the
// selected row, always together with the row's password slot. COPY and PASTE move the dialog's
// contents through the ScratchEntry, which outlives every opening of the dialog.
#pragma once

#include "dialogs/entry_type.h"
#include "store/entry_table.h"
#include "store/password_file.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kavo {

// The dialog's creation parameter; the numbers are the ones the menu commands pass.
enum class EntryDialogMode { AddEntry = 1, InsertEntry = 2, EditEntry = 3 };

// What a read of the dialog keeps of each field, in UTF-16 units.
constexpr std::size_t kTitleFieldUnits = 255;
constexpr std::size_t kIdFieldUnits = 127;
constexpr std::size_t kPasswordFieldUnits = 127;

// The dialog's contents as read: the three texts cut to their capacities, and the type.
struct EntryFields {
    std::u16string title;
    std::u16string id;
    std::u16string password;
    int typeIndex = kTypeButton;
};

// The copy/paste buffer of the edit dialog: empty texts and "Button" at start, never saved.
using ScratchEntry = EntryFields;

enum class EntryField { Title, Id, Password };

// The three edit fields of the open dialog, and its messages. The shell asks the real controls.
class EntryForm {
  public:
    virtual ~EntryForm() = default;
    // The whole text as it stands in the field.
    virtual std::u16string text(EntryField field) const = 0;
    virtual void setText(EntryField field, std::u16string_view text) = 0;
    // An OK message box owned by the dialog.
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
};

// The dialog works on the row selected when it opens (insert: the place before it), whatever
// the selection does while it is open: a sequence that ends can clear it meanwhile.
class EntryDialog {
  public:
    EntryDialog(EntryDialogMode mode, EntryForm& form, TypeRadios& radios, EntryTable& table,
                ScratchEntry& scratch, const AnsiCodec& codec);

    // Fills the form for the mode. False when the dialog closes at once, after telling the user
    // why: no row to insert before or to edit, or no room for another row.
    bool initEntryDialog();
    // The form into the table. False, after telling the user why, when something is missing or
    // the password cannot be stored; then the table and the form stay as they are.
    bool applyEntryDialog();
    // ＯＫ: applyEntryDialog, then in every case the change counts as unsaved and every password
    // is shown for a while. True when the dialog closes. With the lock closed since the dialog
    // opened nothing changes and nothing is shown: the user hears why, and the dialog stays open
    // as typed so its contents can still be copied.
    bool ok(bool editingAllowed);
    // Cancel: the selected row, or every row when none is, loses its marks.
    void cancel();
    void copyToScratch();
    // Counts as an unsaved change, although the table changes only at ＯＫ.
    void pasteFromScratch();

  private:
    EntryFields readFields() const;
    void showFields(const EntryFields& fields);
    bool refusedAsFull();
    bool refusedPassword(const std::u16string& password);

    EntryDialogMode mode_;
    int row_; // the row selected at opening, -1 for none
    EntryForm& form_;
    TypeRadios& radios_;
    EntryTable& table_;
    ScratchEntry& scratch_;
    const AnsiCodec& codec_;
};

} // namespace kavo
