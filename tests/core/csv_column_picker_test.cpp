#include "dialogs/csv_column_picker.h"
#include "tests/core/test_codecs.h"

#include <gtest/gtest.h>

#include <string>

namespace kavo {
namespace {

CsvSurvey surveyOf(std::string_view text) {
    const Latin1Codec codec;
    return surveyCsv(Bytes(text.begin(), text.end()), codec);
}

std::u16string idOfFirstEntry(std::string_view text, const CsvLayout& layout) {
    const Latin1Codec codec;
    const ImportPlan plan =
        planImport(Bytes(text.begin(), text.end()), layout, kMaxRows, codec).plan;
    return plan.entries.empty() ? u"" : plan.entries.front().id;
}

// The e-mail column stands in for an empty ID only while the ID is the guessed one; a file whose
// only ID is an e-mail column shows that column as the ID.
TEST(ColumnPicker, ChoicesAndLayoutsKeepTheEmailFallbackOnlyForTheGuessedId) {
    const std::string withBoth = "Konto;Mail;Benutzer;Kennwort\n"
                                 "A;a@mail.example;;Xk3!pq9Lz\n"
                                 "B;b@mail.example;bee;Bq7$rT2mWn\n";
    CsvSurvey survey = surveyOf(withBoth);
    ASSERT_EQ(survey.refusal, ImportRefusal::None);
    survey.guess.columns.id = 2; // as a known header would name it
    PickerChoices choices = choicesOfLayout(survey.guess);
    EXPECT_EQ(choices.columns[static_cast<std::size_t>(PickedField::Id)], 2);
    EXPECT_EQ(idOfFirstEntry(withBoth, layoutOfChoices(survey, choices)), u"a@mail.example");
    choices.columns[static_cast<std::size_t>(PickedField::Id)] = 0;
    EXPECT_EQ(layoutOfChoices(survey, choices).columns.email, -1);
    wipeSurvey(survey);

    const std::string emailOnly =
        "Mail;me@mail.example;Xk3!pq9Lz\nBank;you@bank.example;Bq7$rT2mW\n";
    CsvSurvey headerless = surveyOf(emailOnly);
    const PickerChoices shown = choicesOfLayout(headerless.guess);
    EXPECT_EQ(shown.columns[static_cast<std::size_t>(PickedField::Id)], 1);
    EXPECT_FALSE(shown.firstRowIsHeader);
    EXPECT_EQ(idOfFirstEntry(emailOnly, layoutOfChoices(headerless, shown)), u"me@mail.example");
    PickerChoices noPassword = shown;
    noPassword.columns[static_cast<std::size_t>(PickedField::Password)] = -1;
    EXPECT_FALSE(choicesSuffice(noPassword));
    EXPECT_TRUE(choicesSuffice(shown));
    wipeSurvey(headerless);
}

// Whatever the choices, no text of the picker shows a password; a header's name still shows.
TEST(ColumnPicker, ThePasswordColumnIsHiddenButItsHeaderNamed) {
    CsvSurvey survey = surveyOf("Site,Secret\nShop,VeryLongSecretValue-123\n");
    PickerChoices choices = choicesOfLayout(survey.guess);
    choices.columns[static_cast<std::size_t>(PickedField::Password)] = 1;

    choices.firstRowIsHeader = true;
    EXPECT_EQ(columnChoiceTexts(survey, choices),
              (std::vector<std::u16string>{u"なし", u"1列目 (Site)", u"2列目 (Secret)"}));
    EXPECT_EQ(pickerCellText(survey, choices, 0, 1), u"Secret");
    EXPECT_EQ(pickerCellText(survey, choices, 1, 1), u"●●●●");
    EXPECT_EQ(pickerCellText(survey, choices, 1, 7), u"") << "beyond the row";

    choices.firstRowIsHeader = false;
    EXPECT_EQ(columnChoiceTexts(survey, choices),
              (std::vector<std::u16string>{u"なし", u"1列目 (Site)", u"2列目"}));
    EXPECT_EQ(pickerCellText(survey, choices, 0, 1), u"●●●●");
    EXPECT_EQ(pickerCellText(survey, choices, 1, 0), u"Shop");
    wipeSurvey(survey);
}

} // namespace
} // namespace kavo
