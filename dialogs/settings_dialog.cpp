#include "dialogs/settings_dialog.h"

#include "resources/resource.h"
#include "store/decimal_text.h"

#include <span>

namespace kavo {

namespace {

struct RadioChoice {
    int buttonId;
    std::int32_t value;
};

// One set of radios for one field. No radio checked, or only the fallback radio, reads as 0.
struct RadioGroup {
    SettingsField field;
    int firstId;
    int lastId;
    // Checked for 0 and for any value no choice stands for.
    int fallbackId;
    // Asked in this order when the dialog is read; the first checked one decides.
    std::span<const RadioChoice> choices;
};

template <typename Enum>
constexpr RadioChoice choice(int buttonId, Enum value) {
    return {buttonId, static_cast<std::int32_t>(value)};
}

constexpr RadioChoice kPlacementChoices[] = {
    choice(IDC_PLACE_TOP_LEFT, Placement::TopLeft),
    choice(IDC_PLACE_TOP_RIGHT, Placement::TopRight),
    choice(IDC_PLACE_BOTTOM_LEFT, Placement::BottomLeft),
    choice(IDC_PLACE_BOTTOM_RIGHT, Placement::BottomRight),
    choice(IDC_PLACE_CENTRE, Placement::Centre),
};
constexpr RadioChoice kStackingChoices[] = {
    choice(IDC_STACK_ALWAYS_TOP, Stacking::AlwaysOnTop),
    choice(IDC_STACK_BOTTOM_AT_ID, Stacking::BottomAtId),
    choice(IDC_STACK_BOTTOM_AT_PW, Stacking::TopAtIdBottomAtPw),
};
constexpr RadioChoice kCopyMethodChoices[] = {
    choice(IDC_COPY_SMALL_WINDOW, CopyMethod::SmallWindow),
    choice(IDC_COPY_LIST_CLICK, CopyMethod::ListClick),
};

const RadioGroup kRadioGroups[] = {
    {settingsField<&SettingsRecord::placement>(), IDC_PLACE_TOP_LEFT, IDC_PLACE_KEEP,
     IDC_PLACE_KEEP, kPlacementChoices},
    {settingsField<&SettingsRecord::stacking>(), IDC_STACK_ALWAYS_TOP, IDC_STACK_BOTTOM_AT_END,
     IDC_STACK_BOTTOM_AT_END, kStackingChoices},
    {settingsField<&SettingsRecord::copyMethod>(), IDC_COPY_TOOLBAR_ONLY, IDC_COPY_LIST_CLICK,
     IDC_COPY_TOOLBAR_ONLY, kCopyMethodChoices},
};

struct CheckBox {
    std::int32_t SettingsRecord::*field;
    int buttonId;
};

constexpr CheckBox kCheckBoxes[] = {
    {&SettingsRecord::clearSelectionAtEnd, IDC_CLEAR_AT_END_CHECK},
    {&SettingsRecord::pwTimerForButton, IDC_PW_TIMER_CHECK},
};

struct DurationField {
    std::int32_t SettingsRecord::*field;
    int editId;
    std::int32_t low;
    std::int32_t high;
    std::int32_t fallback;
};

constexpr DurationField kDurationFields[] = {
    {&SettingsRecord::idTimeMs, IDC_ID_TIME_EDIT, 100, 10000, 4000},
    {&SettingsRecord::pwTimeMs, IDC_PW_TIME_EDIT, 100, 10000, 4000},
    {&SettingsRecord::pwShowMs, IDC_PW_SHOW_EDIT, 1, 30000, 5000},
};

int radioShowing(const RadioGroup& group, std::int32_t value) {
    for (const RadioChoice& choice : group.choices) {
        if (choice.value == value) {
            return choice.buttonId;
        }
    }
    return group.fallbackId;
}

std::int32_t valueOfCheckedRadio(const RadioGroup& group, const SettingsForm& form) {
    for (const RadioChoice& choice : group.choices) {
        if (form.isChecked(choice.buttonId)) {
            return choice.value;
        }
    }
    return 0;
}

} // namespace

std::int32_t durationFromText(std::u16string_view text, std::int32_t low, std::int32_t high,
                              std::int32_t fallback) {
    // A Japanese input method types full-width digits; they mean the same number.
    std::u16string units(text.substr(0, kDurationFieldUnits));
    for (char16_t& unit : units) {
        if (unit >= u'\uFF10' && unit <= u'\uFF19') {
            unit = static_cast<char16_t>(u'0' + (unit - u'\uFF10'));
        }
    }
    const std::int32_t value = parseLeadingInt(units);
    return value < low || value > high ? fallback : value;
}

void fillSettingsDialog(const SettingsRecord& settings, SettingsForm& form) {
    for (const RadioGroup& group : kRadioGroups) {
        form.checkRadio(group.firstId, group.lastId,
                        radioShowing(group, group.field.get(settings)));
    }
    for (const CheckBox& box : kCheckBoxes) {
        form.setChecked(box.buttonId, settings.*box.field != 0);
    }
    for (const DurationField& duration : kDurationFields) {
        form.setText(duration.editId, formatInt(settings.*duration.field));
    }
}

void readSettingsDialog(const SettingsForm& form, SettingsRecord& settings) {
    for (const RadioGroup& group : kRadioGroups) {
        group.field.set(settings, valueOfCheckedRadio(group, form));
    }
    for (const CheckBox& box : kCheckBoxes) {
        settings.*box.field = form.isChecked(box.buttonId) ? 1 : 0;
    }
    for (const DurationField& duration : kDurationFields) {
        settings.*duration.field = durationFromText(form.text(duration.editId), duration.low,
                                                    duration.high, duration.fallback);
    }
}

void confirmSettingsDialog(const SettingsForm& form, SettingsRecord& settings, SequenceHost& host) {
    readSettingsDialog(form, settings);
    host.setSmallIcon(StateIcon::Idle);
    host.refreshTrayIcon();
}

void applyStackingAfterOk(const SettingsRecord& settings, SequenceHost& host) {
    host.moveWindow(settings.stacking == Stacking::AlwaysOnTop ? StackingMove::Top
                                                               : StackingMove::NoTop);
}

} // namespace kavo
