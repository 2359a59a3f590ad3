#include "dialogs/entry_dialog.h"

#include "resources/texts.h"
#include "store/password_file.h"
#include "store/utf16_text.h"

namespace kavo {

namespace {

// A row that insert and edit can work on: one that has a password slot.
bool isSlotRow(int row) {
    return row >= 0 && row < kMaxRows;
}

} // namespace

EntryDialog::EntryDialog(EntryDialogMode mode, EntryForm& form, TypeRadios& radios,
                         EntryTable& table, ScratchEntry& scratch, const AnsiCodec& codec)
    : mode_(mode), row_(table.selectedRow()), form_(form), radios_(radios), table_(table),
      scratch_(scratch), codec_(codec) {}

EntryFields EntryDialog::readFields() const {
    EntryFields fields;
    fields.title = cutToUnits(form_.text(EntryField::Title), kTitleFieldUnits);
    fields.id = cutToUnits(form_.text(EntryField::Id), kIdFieldUnits);
    fields.password = cutToUnits(form_.text(EntryField::Password), kPasswordFieldUnits);
    fields.typeIndex = typeIndexFromRadios(radios_);
    return fields;
}

void EntryDialog::showFields(const EntryFields& fields) {
    form_.setText(EntryField::Title, fields.title);
    form_.setText(EntryField::Id, fields.id);
    form_.setText(EntryField::Password, fields.password);
    const bool known = fields.typeIndex >= 0 && fields.typeIndex < kTypeCount;
    radios_.check(known ? fields.typeIndex : kTypeButton);
}

// A new row needs a free password slot; without one nothing may change.
bool EntryDialog::refusedAsFull() {
    if (mode_ == EntryDialogMode::EditEntry || !table_.isFull()) {
        return false;
    }
    form_.showMessage(kFullTableText, kEditCaption);
    return true;
}

bool EntryDialog::refusedPassword(const std::u16string& password) {
    switch (passwordFit(password, codec_)) {
    case PasswordFit::Storable:
        return false;
    case PasswordFit::UnstorableCharacter:
        form_.showMessage(kUnstorableCharacterText, kCheckCaption);
        return true;
    case PasswordFit::TooLong:
        form_.showMessage(kTooLongPasswordText, kCheckCaption);
        return true;
    }
    return true;
}

bool EntryDialog::initEntryDialog() {
    if (refusedAsFull()) {
        return false;
    }
    const int selected = row_;
    if (mode_ != EntryDialogMode::AddEntry && !isSlotRow(selected)) {
        form_.showMessage(kSelectEntryToEditText, kEditCaption);
        return false;
    }
    if (mode_ != EntryDialogMode::EditEntry) {
        // A new entry starts blank, with no radio checked.
        form_.setText(EntryField::Title, u"");
        form_.setText(EntryField::Id, u"");
        form_.setText(EntryField::Password, u"");
        return true;
    }
    const std::optional<Entry> entry = table_.entryAt(selected);
    if (!entry) {
        form_.showMessage(kSelectEntryToEditText, kEditCaption);
        return false;
    }
    form_.setText(EntryField::Title, entry->title);
    form_.setText(EntryField::Id, entry->id);
    form_.setText(EntryField::Password, entry->password);
    radios_.check(radioOfType(entry->type));
    return true;
}

bool EntryDialog::applyEntryDialog() {
    const EntryFields fields = readFields();
    if (fields.title.empty() || fields.id.empty() || fields.password.empty()) {
        form_.showMessage(kIncompleteText, kCheckCaption);
        return false;
    }
    // The row the dialog was opened for; the table cannot shrink while the dialog is open, but
    // a row that is gone is said, never skipped silently.
    const int row = row_;
    const int rowCount = table_.rowCount();
    const bool rowThere = mode_ == EntryDialogMode::InsertEntry ? row <= rowCount : row < rowCount;
    if (mode_ != EntryDialogMode::AddEntry && (!isSlotRow(row) || !rowThere)) {
        form_.showMessage(kSelectEntryToEditText, kEditCaption);
        return false;
    }
    // A row edited without touching its password keeps the slot as it is, so a password loaded
    // from the file stays byte for byte what it was.
    const bool passwordKept =
        mode_ == EntryDialogMode::EditEntry && fields.password == table_.passwords().at(row);
    if ((!passwordKept && refusedPassword(fields.password)) || refusedAsFull()) {
        return false;
    }

    const int selected = table_.selectedRow();
    table_.clearRowMarks(selected < 0 ? kEveryRow : selected);
    const Entry entry{fields.title, typeOfRadio(fields.typeIndex), fields.id, fields.password};
    switch (mode_) {
    case EntryDialogMode::AddEntry:
        table_.insertEntry(rowCount, entry);
        break;
    case EntryDialogMode::InsertEntry:
        table_.insertEntry(row, entry);
        break;
    case EntryDialogMode::EditEntry:
        table_.replaceEntry(row, entry);
        break;
    }
    return true;
}

bool EntryDialog::ok(bool editingAllowed) {
    if (!editingAllowed) {
        form_.showMessage(kLockedWhileEditingText, kEditCaption);
        return false;
    }
    const bool done = applyEntryDialog();
    table_.markChanged();
    table_.revealPasswords(true);
    return done;
}

void EntryDialog::cancel() {
    const int selected = table_.selectedRow();
    table_.clearRowMarks(selected < 0 ? kEveryRow : selected);
}

void EntryDialog::copyToScratch() {
    scratch_ = readFields();
}

void EntryDialog::pasteFromScratch() {
    showFields(scratch_);
    table_.markChanged();
}

} // namespace kavo
