#include "dialogs/bulk_type.h"
#include "dialogs/entry_dialog.h"
#include "tests/core/memory_row_view.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace kavo {
namespace {

class FakeForm : public EntryForm, public TypeRadios {
  public:
    std::u16string text(EntryField field) const override { return texts.at(field); }
    void setText(EntryField field, std::u16string_view text) override { texts[field] = text; }
    void showMessage(std::u16string_view text, std::u16string_view) override {
        messages.emplace_back(text);
    }
    bool isChecked(int typeIndex) const override { return checked.contains(typeIndex); }
    void check(int typeIndex) override { checked = {{typeIndex, true}}; }

    void fill(std::u16string title, std::u16string id, std::u16string password) {
        texts = {
            {EntryField::Title, title}, {EntryField::Id, id}, {EntryField::Password, password}};
    }

    std::map<EntryField, std::u16string> texts{
        {EntryField::Title, u""}, {EntryField::Id, u""}, {EntryField::Password, u""}};
    std::map<int, bool> checked;
    std::vector<std::u16string> messages;
};

class Host : public TableHost {
  public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
    void startRevealTimer() override { ++reveals; }
    int reveals = 0;
};

class EntryDialogTest : public ::testing::Test {
  protected:
    // Appends rows "r0", "r1", ... (by index mod 10) with the passwords "pw0", "pw1", ...
    void addRows(int count) {
        for (int i = 0; i < count; ++i) {
            const int row = rows.rowCount();
            const std::u16string n(1, static_cast<char16_t>(u'0' + row % 10));
            table.buildRow(row, u"r" + n, u"X", u"id");
            slots.set(row, u"pw" + n);
        }
    }
    EntryDialog dialog(EntryDialogMode mode, const AnsiCodec& codec = kLatin1) {
        return EntryDialog(mode, form, form, table, scratch, codec, dirty);
    }
    std::u16string cell(int row, int cell) const { return rows.cellText(row, cell, 512); }

    static inline const Latin1Codec kLatin1;
    MemoryRowView rows;
    PasswordSlots slots;
    Host host;
    bool dirty = false;
    EntryTable table{rows, slots, host, dirty};
    ScratchEntry scratch;
    FakeForm form;
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
        EXPECT_EQ(typeLetter(typeIndexFromRadios(form)), letter);
    }
    EXPECT_EQ(typeIndexOfLetter(u"W"), kTypeCtrlVTime);
    EXPECT_EQ(typeIndexOfLetter(u"x"), kTypeButton);

    // Editing a row with an unknown letter checks "Button" and saves it as "B".
    addRows(1);
    rows.select({0});
    ASSERT_TRUE(dialog(EntryDialogMode::EditEntry).initEntryDialog());
    EXPECT_EQ(form.checked, (std::map<int, bool>{{kTypeButton, true}}));
    EXPECT_EQ(form.texts[EntryField::Password], u"pw0");

    // A surrogate pair across the title's limit is dropped whole.
    const std::u16string longTitle = std::u16string(254, u't') + u"\U0001F511";
    form.fill(longTitle, std::u16string(200, u'i'), std::u16string(200, u'p'));
    ASSERT_TRUE(dialog(EntryDialogMode::EditEntry).applyEntryDialog());
    EXPECT_EQ(cell(0, kCellTitle), longTitle.substr(0, 254));
    EXPECT_EQ(cell(0, kCellType), u"B");
    EXPECT_EQ(cell(0, kCellId), std::u16string(127, u'i'));
    EXPECT_EQ(slots.at(0), std::u16string(127, u'p'));
    form.fill(std::u16string(300, u't'), u"i", u"p");
    ASSERT_TRUE(dialog(EntryDialogMode::AddEntry).applyEntryDialog());
    EXPECT_EQ(cell(1, kCellTitle), std::u16string(255, u't'));
}

TEST_F(EntryDialogTest, InsertShiftsThePasswordsWithTheirRows) {
    addRows(4);
    rows.select({2});
    form.fill(u"new", u"id", u"pw-new");
    ASSERT_TRUE(dialog(EntryDialogMode::InsertEntry).ok());
    const std::u16string expected[][2] = {
        {u"r0", u"pw0"}, {u"r1", u"pw1"}, {u"new", u"pw-new"}, {u"r2", u"pw2"}, {u"r3", u"pw3"}};
    ASSERT_EQ(rows.rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(cell(row, kCellTitle), expected[row][0]);
        // Revealed after OK, each beside its own row.
        EXPECT_EQ(cell(row, kCellPw), expected[row][1]);
        EXPECT_EQ(slots.at(row), expected[row][1]);
    }
    EXPECT_EQ(rows.selectedRow(), -1);
    EXPECT_TRUE(dirty);
}

TEST_F(EntryDialogTest, RefusalsLeaveTableAndFormAsTheyWere) {
    addRows(2);
    rows.select({1});
    const DoubleByteCodec doubleByte;
    struct Case {
        std::u16string password;
        const AnsiCodec& codec;
        std::u16string_view message;
    };
    const Case cases[] = {
        {u"", kLatin1, u"全てを入力して下さい。"},
        {u"caf\u00E9", kLatin1, u"保存できない文字"}, // byte 0xE9 does not survive the file
        {u"\u0100bc", kLatin1, u"保存できない文字"},  // no form in the code page: "?"
        {std::u16string(64, u'\u3042'), doubleByte, u"長すぎて"}, // 128 bytes
    };
    for (const Case& c : cases) {
        form.fill(u"title", u"id", c.password);
        form.messages.clear();
        dirty = false;
        EXPECT_FALSE(dialog(EntryDialogMode::EditEntry, c.codec).ok());
        ASSERT_EQ(form.messages.size(), 1u);
        EXPECT_NE(form.messages[0].find(c.message), std::u16string::npos);
        EXPECT_EQ(form.texts[EntryField::Password], c.password);
        EXPECT_EQ(cell(1, kCellTitle), u"r1");
        EXPECT_EQ(slots.at(1), u"pw1");
        EXPECT_EQ(rows.selectedRow(), 1);
        EXPECT_TRUE(dirty); // as after every OK
    }
    // 63 double-byte characters fit.
    form.fill(u"title", u"id", std::u16string(63, u'\u3042'));
    EXPECT_TRUE(dialog(EntryDialogMode::EditEntry, doubleByte).ok());
    // Editing a row without touching its password keeps it, even one this dialog would refuse.
    slots.set(1, u"caf\u00E9");
    rows.select({1});
    form.fill(u"renamed", u"id", u"caf\u00E9");
    EXPECT_TRUE(dialog(EntryDialogMode::EditEntry).ok());
    EXPECT_EQ(cell(1, kCellTitle), u"renamed");
    EXPECT_EQ(slots.at(1), u"caf\u00E9");

    // A full table takes no new row, before or after the dialog opens; editing still works.
    addRows(kMaxRows - 2);
    rows.select({0});
    EXPECT_FALSE(dialog(EntryDialogMode::AddEntry).initEntryDialog());
    EXPECT_FALSE(dialog(EntryDialogMode::InsertEntry).initEntryDialog());
    EXPECT_FALSE(dialog(EntryDialogMode::InsertEntry).applyEntryDialog());
    EXPECT_EQ(slots.at(kMaxRows - 1), u"pw9");
    EXPECT_TRUE(dialog(EntryDialogMode::EditEntry).initEntryDialog());
}

TEST_F(EntryDialogTest, PasteBeforeAnyCopyEmptiesTheFormAndBulkTypeMarksEvenAnEmptyTable) {
    form.fill(u"t", u"i", u"p");
    form.check(kTypeTime);
    dialog(EntryDialogMode::AddEntry).pasteFromScratch();
    EXPECT_EQ(form.texts[EntryField::Title], u"");
    EXPECT_EQ(form.checked, (std::map<int, bool>{{kTypeButton, true}}));
    EXPECT_TRUE(dirty);

    dirty = false;
    applyBulkType(form, table, dirty);
    EXPECT_TRUE(dirty);
    addRows(3);
    form.checked.clear();
    applyBulkType(form, table, dirty);
    EXPECT_EQ(cell(2, kCellType), u"B");
    EXPECT_EQ(cell(2, kCellPw), kMaskText);
}

} // namespace
} // namespace kavo
