#include "dialogs/bulk_type.h"
#include "dialogs/entry_dialog.h"
#include "tests/support/memory_row_view.h"
#include "tests/support/test_entries.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <map>

namespace kavo {
namespace {

class FakeForm : public EntryForm, public TypeRadios, public TableHost {
  public:
    std::u16string text(EntryField field) const override { return texts.at(field); }
    void setText(EntryField field, std::u16string_view text) override { texts[field] = text; }
    void showMessage(std::u16string_view text, std::u16string_view) override {
        messages.emplace_back(text);
    }
    bool isChecked(int typeIndex) const override { return checked.contains(typeIndex); }
    void check(int typeIndex) override { checked = {{typeIndex, true}}; }
    void startRevealTimer() override {}

    void fill(std::u16string_view title, std::u16string_view id, std::u16string_view password) {
        texts = {{EntryField::Title, std::u16string(title)},
                 {EntryField::Id, std::u16string(id)},
                 {EntryField::Password, std::u16string(password)}};
    }

    std::map<EntryField, std::u16string> texts;
    std::map<int, bool> checked;
    std::vector<std::u16string> messages;
};

class EntryDialogTest : public ::testing::Test {
  protected:
    EntryDialog dialog(EntryDialogMode mode, const AnsiCodec& codec) {
        return EntryDialog(mode, form, form, table, scratch, codec);
    }
    std::u16string cell(int row, int cell) const {
        return std::u16string(table.cellText(row, cell));
    }

    const Latin1Codec latin1;
    FakeForm form;
    MemoryRowView rows;
    StoreContents contents;
    PasswordSlots& slots = contents.slots;
    bool& dirty = contents.dirty;
    EntryTable table{rows, contents, form};
    ScratchEntry scratch;
};

TEST_F(EntryDialogTest, RadiosDecideTheLetterAndFieldsKeepTheirCapacities) {
    const std::pair<std::map<int, bool>, std::u16string_view> radioCases[] = {
        {{}, u"B"},
        {{{kTypeButton, true}}, u"B"},
        {{{kTypeCtrlVTime, true}, {kTypeTime, true}}, u"T"}, // "Time" is asked first
        {{{kTypeCtrlVTime, true}, {kTypeCtrlV, true}}, u"V"},
        {{{kTypeCtrlVTime, true}}, u"W"},
    };
    for (const auto& [checked, letter] : radioCases) {
        form.checked = checked;
        EXPECT_EQ(typeOfRadio(typeIndexFromRadios(form)).text(), letter);
    }

    // Editing a row of an unknown type checks "Button"; the fields keep what the dialog reads, the
    // table what the file keeps, and a surrogate pair across a limit is dropped whole.
    table.insertEntry(0, testEntry(u"r", u"x", u"i"));
    rows.select({0});
    ASSERT_TRUE(dialog(EntryDialogMode::EditEntry, latin1).initEntryDialog());
    EXPECT_EQ(form.checked, (std::map<int, bool>{{kTypeButton, true}}));
    const std::u16string title = std::u16string(254, u't') + u"\U0001F511";
    form.fill(title, std::u16string(200, u'i'), std::u16string(200, u'p'));
    ASSERT_TRUE(dialog(EntryDialogMode::EditEntry, latin1).applyEntryDialog());
    dialog(EntryDialogMode::EditEntry, latin1).copyToScratch();
    EXPECT_EQ(scratch.title, title.substr(0, 254));
    EXPECT_EQ(cell(0, kCellTitle), title.substr(0, 127));
    EXPECT_EQ(cell(0, kCellType), u"B");
    EXPECT_EQ(cell(0, kCellId), std::u16string(127, u'i'));
    EXPECT_EQ(slots.at(0), std::u16string(127, u'p'));
    form.fill(std::u16string(300, u't'), u"i", u"p");
    ASSERT_TRUE(dialog(EntryDialogMode::AddEntry, latin1).applyEntryDialog());
    EXPECT_EQ(cell(1, kCellTitle), std::u16string(127, u't'));
}

TEST_F(EntryDialogTest, AKeptPasswordIsNotRecheckedAndAFullTableShiftsNoSlot) {
    // Editing only the title keeps the password, even one this dialog would not take.
    table.insertEntry(0, testEntry(u"r", u"B", u"i"));
    slots.set(0, u"caf\u00E9");
    rows.select({0});
    form.fill(u"renamed", u"i", u"caf\u00E9");
    EXPECT_TRUE(dialog(EntryDialogMode::EditEntry, latin1).ok(true));
    EXPECT_EQ(cell(0, kCellTitle), u"renamed");
    rows.select({0});
    form.fill(u"renamed", u"i", u"caf\u00E9!");
    EXPECT_FALSE(dialog(EntryDialogMode::EditEntry, latin1).ok(true));

    // No row without a slot, and no slot shifted past the last one, even when OK comes late.
    for (int row = 1; row < kMaxRows; ++row) {
        table.insertEntry(row, testEntry(u"r", u"B", u"i"));
    }
    slots.set(kMaxRows - 1, u"last");
    rows.select({0});
    EXPECT_FALSE(dialog(EntryDialogMode::InsertEntry, latin1).initEntryDialog());
    EXPECT_FALSE(dialog(EntryDialogMode::InsertEntry, latin1).applyEntryDialog());
    EXPECT_EQ(slots.at(kMaxRows - 1), u"last");
}

TEST_F(EntryDialogTest, OkActsOnTheRowOpenedForUnlessTheLockClosedMeanwhile) {
    table.insertEntry(0, testEntry(u"r", u"B", u"i"));
    table.insertEntry(1, testEntry(u"r", u"B", u"i"));
    rows.select({1});
    EntryDialog edit = dialog(EntryDialogMode::EditEntry, latin1);
    EntryDialog insert = dialog(EntryDialogMode::InsertEntry, latin1);
    rows.select({}); // a sequence that ends clears the selection while they are open
    form.fill(u"edited", u"i", u"p");
    EXPECT_FALSE(edit.ok(false)); // locked meanwhile: nothing changes, and the user hears why
    EXPECT_EQ(form.messages.size(), 1u);
    EXPECT_FALSE(dirty);
    EXPECT_TRUE(edit.ok(true));
    form.fill(u"inserted", u"i", u"p");
    EXPECT_TRUE(insert.ok(true));
    EXPECT_EQ(cell(1, kCellTitle), u"inserted");
    EXPECT_EQ(cell(2, kCellTitle), u"edited");
}

TEST_F(EntryDialogTest, CancelClearsTheSelectedRowsMarksOrEveryRowsWhenNoneIsSelected) {
    table.insertEntry(0, testEntry(u"a", u"B", u"i"));
    table.insertEntry(1, testEntry(u"b", u"B", u"i"));
    rows.setRowMarks(0, kMarkSelected, kAllMarks);
    rows.setRowMarks(1, kMarkFocused | kMarkDropHilited, kAllMarks);
    dialog(EntryDialogMode::EditEntry, latin1).cancel();
    EXPECT_EQ(rows.rowMarks(0, kAllMarks), 0u);
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), kMarkFocused | kMarkDropHilited);
    dialog(EntryDialogMode::EditEntry, latin1).cancel();
    EXPECT_EQ(rows.rowMarks(1, kAllMarks), 0u);
}

TEST_F(EntryDialogTest, InsertShiftsThePasswordsAnEmptyPasswordIsRefusedAndAFullTableStillEdits) {
    table.insertEntry(0, testEntry(u"a", u"B", u"i"));
    slots.set(0, u"pa");
    rows.select({0});
    form.fill(u"new", u"i", u"");
    EXPECT_FALSE(dialog(EntryDialogMode::InsertEntry, latin1).ok(true));
    EXPECT_EQ(form.messages.size(), 1u) << "an empty password is asked for, not taken";
    form.fill(u"new", u"i", u"pn");
    EXPECT_TRUE(dialog(EntryDialogMode::InsertEntry, latin1).ok(true));
    EXPECT_EQ(slots.at(0), u"pn");
    EXPECT_EQ(slots.at(1), u"pa") << "the old row's password moves down with it";

    for (int row = 2; row < kMaxRows; ++row) {
        table.insertEntry(row, testEntry(u"r", u"B", u"i"));
    }
    rows.select({1});
    form.fill(u"still editable", u"i", u"pa");
    EXPECT_TRUE(dialog(EntryDialogMode::EditEntry, latin1).ok(true));
    EXPECT_EQ(cell(1, kCellTitle), u"still editable");

    // The table takes no row past the thousandth.
    table.insertEntry(kMaxRows, testEntry(u"beyond", u"B", u"i", u"p"));
    EXPECT_EQ(table.rowCount(), kMaxRows);

    // One type for all marks the change unsaved, even on an empty table.
    MemoryRowView emptyRows;
    EntryTable emptyTable{emptyRows, contents, form};
    dirty = false;
    form.checked = {{kTypeTime, true}};
    applyBulkType(form, emptyTable);
    EXPECT_TRUE(dirty);
}

} // namespace
} // namespace kavo
