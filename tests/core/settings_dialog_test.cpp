#include "dialogs/settings_dialog.h"
#include "resources/resource.h"
#include "settings/placement.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kavo {
namespace {

// The dialog's controls as plain values.
class FakeSettingsForm final : public SettingsForm {
  public:
    std::map<int, bool> checked;
    std::map<int, std::u16string> texts;

    bool isChecked(int id) const override { return checked.contains(id) && checked.at(id); }
    void setChecked(int id, bool on) override { checked[id] = on; }
    void checkRadio(int first, int last, int id) override {
        for (int each = first; each <= last; ++each) {
            checked[each] = each == id;
        }
    }
    std::u16string text(int id) const override { return texts.contains(id) ? texts.at(id) : u""; }
    void setText(int id, std::u16string_view text) override { texts[id] = text; }

    std::vector<int> checkedIds() const {
        std::vector<int> ids;
        for (const auto& [id, on] : checked) {
            if (on) {
                ids.push_back(id);
            }
        }
        return ids;
    }
};

// Records what ＯＫ asks of the main window; the sequence's own calls are never made here.
class StackingHost final : public SequenceHost {
  public:
    std::vector<StackingMove> moves;
    std::vector<StateIcon> icons;
    int trayRefreshes = 0;

    bool putClipboardText(std::u16string_view, int) override { return true; }
    ClipboardWrite replaceOwnClipboardText(std::u16string_view, std::u16string_view, int) override {
        return ClipboardWrite::Written;
    }
    void setSequenceTimer(int) override {}
    void killSequenceTimer() override {}
    void setPasteTimer(int) override {}
    void killPasteTimer() override {}
    void setRetryTimer(int) override {}
    void killRetryTimer() override {}
    void moveWindow(StackingMove move) override { moves.push_back(move); }
    void storeWindowPosition() override {}
    void setSmallIcon(StateIcon icon) override { icons.push_back(icon); }
    void refreshTrayIcon() override { ++trayRefreshes; }
    void repaint() override {}
};

TEST(SettingsDialog, EveryControlIsFilledFromTheRecordAndReadBackIntoIt) {
    SettingsRecord settings;
    settings.placement = Placement::BottomRight;
    settings.stacking = Stacking::BottomAtId;
    settings.copyMethod = CopyMethod::SmallWindow;
    settings.clearSelectionAtEnd = 1;
    settings.pwTimerForButton = 0;
    settings.idTimeMs = 100;
    settings.pwTimeMs = 10000;
    settings.pwShowMs = 30000;
    FakeSettingsForm form;
    fillSettingsDialog(settings, form);
    EXPECT_EQ(form.checkedIds(), (std::vector<int>{IDC_CLEAR_AT_END_CHECK, IDC_PLACE_BOTTOM_RIGHT,
                                                   IDC_STACK_BOTTOM_AT_ID, IDC_COPY_SMALL_WINDOW}));
    EXPECT_EQ(form.texts, (std::map<int, std::u16string>{{IDC_ID_TIME_EDIT, u"100"},
                                                         {IDC_PW_TIME_EDIT, u"10000"},
                                                         {IDC_PW_SHOW_EDIT, u"30000"}}));
    SettingsRecord read;
    readSettingsDialog(form, read);
    EXPECT_EQ(read, settings);

    // Values no radio stands for show the group's first value and read back as 0; a duration
    // just out of range reads as its default.
    settings.placement = static_cast<Placement>(9);
    settings.stacking = Stacking::TopAtIdBottomAtEnd;
    settings.copyMethod = static_cast<CopyMethod>(7);
    fillSettingsDialog(settings, form);
    EXPECT_TRUE(form.isChecked(IDC_PLACE_KEEP));
    EXPECT_TRUE(form.isChecked(IDC_STACK_BOTTOM_AT_END));
    EXPECT_TRUE(form.isChecked(IDC_COPY_TOOLBAR_ONLY));
    form.texts[IDC_ID_TIME_EDIT] = u"99";
    form.texts[IDC_PW_TIME_EDIT] = u"10001";
    form.texts[IDC_PW_SHOW_EDIT] = u"0";
    readSettingsDialog(form, read);
    EXPECT_EQ(read.placement, Placement::Keep);
    EXPECT_EQ(read.stacking, Stacking::TopAtIdBottomAtEnd);
    EXPECT_EQ(read.copyMethod, CopyMethod::ToolbarOnly);
    EXPECT_EQ(read.idTimeMs, 4000);
    EXPECT_EQ(read.pwTimeMs, 4000);
    EXPECT_EQ(read.pwShowMs, 5000);
    // Each duration has bounds of its own: the ID time's upper one too.
    form.texts[IDC_ID_TIME_EDIT] = u"10000";
    form.texts[IDC_PW_TIME_EDIT] = u"99";
    readSettingsDialog(form, read);
    EXPECT_EQ(read.idTimeMs, 10000);
    EXPECT_EQ(read.pwTimeMs, 4000);
    form.texts[IDC_ID_TIME_EDIT] = u"10001";
    readSettingsDialog(form, read);
    EXPECT_EQ(read.idTimeMs, 4000);
}

TEST(SettingsDialog, OkReadsShowsTheIdleIconAndStacksOnlyOnceTheDialogHasGone) {
    FakeSettingsForm form;
    SettingsRecord settings;
    settings.stacking = Stacking::AlwaysOnTop;
    fillSettingsDialog(settings, form);
    form.checkRadio(IDC_STACK_ALWAYS_TOP, IDC_STACK_BOTTOM_AT_END, IDC_STACK_BOTTOM_AT_PW);
    StackingHost host;
    confirmSettingsDialog(form, settings, host);
    EXPECT_EQ(settings.stacking, Stacking::TopAtIdBottomAtPw);
    EXPECT_EQ(host.icons, std::vector<StateIcon>{StateIcon::Idle});
    EXPECT_EQ(host.trayRefreshes, 1);
    EXPECT_TRUE(host.moves.empty());

    applyStackingAfterOk(settings, host);
    settings.stacking = Stacking::AlwaysOnTop;
    applyStackingAfterOk(settings, host);
    EXPECT_EQ(host.moves, (std::vector<StackingMove>{StackingMove::NoTop, StackingMove::Top}));
}

TEST(SettingsDialog, PlacementCornersAndDurationFieldReads) {
    // The whole screen counts, and the centre drops the half pixel.
    const auto at = [](Placement placement) {
        return placementCorner(placement, 1920, 1080, 300, 350);
    };
    EXPECT_EQ(at(Placement::TopLeft), (WindowCorner{0, 0}));
    EXPECT_EQ(at(Placement::TopRight), (WindowCorner{1620, 0}));
    EXPECT_EQ(at(Placement::BottomLeft), (WindowCorner{0, 730}));
    EXPECT_EQ(at(Placement::BottomRight), (WindowCorner{1620, 730}));
    EXPECT_EQ(at(Placement::Centre), (WindowCorner{810, 365}));
    EXPECT_EQ(placementCorner(Placement::Centre, 1366, 768, 301, 351), (WindowCorner{532, 208}));
    EXPECT_EQ(at(Placement::Keep), std::nullopt);
    EXPECT_EQ(at(static_cast<Placement>(6)), std::nullopt);

    // Five units read like _wtoi; out of range gives the field's default.
    const auto idTime = [](std::u16string_view text) {
        return durationFromText(text, 100, 10000, 4000);
    };
    EXPECT_EQ(idTime(u"  500ms"), 500);
    EXPECT_EQ(idTime(u"\u3000250"), 250);
    EXPECT_EQ(idTime(u"100000"), 10000);
    EXPECT_EQ(idTime(u"10001"), 4000);
    EXPECT_EQ(idTime(u"100"), 100);
    EXPECT_EQ(idTime(u"99"), 4000);
    EXPECT_EQ(idTime(u"-5"), 4000);
    EXPECT_EQ(idTime(u""), 4000);
    EXPECT_EQ(durationFromText(u"3000099", 1, 30000, 5000), 30000);
    EXPECT_EQ(durationFromText(u"0", 1, 30000, 5000), 5000);

    // Full-width digits count as digits, mixed with half-width ones too, within the same five.
    EXPECT_EQ(idTime(u"３０００"), 3000);
    EXPECT_EQ(idTime(u"\u3000２5０0"), 2500);
    EXPECT_EQ(durationFromText(u"３００００９", 1, 30000, 5000), 30000);
    EXPECT_EQ(idTime(u"１０００１"), 4000);
    EXPECT_EQ(idTime(u"ー５００"), 4000);
}

} // namespace
} // namespace kavo
