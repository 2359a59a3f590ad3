#include "dialogs/settings_dialog.h"

#include "resources/resource.h"
#include "store/decimal_text.h"

#include <span>

namespace kavo {

namespace {

constexpr std::int32_t kStackingAlwaysOnTop = 3;

struct RadioChoice {
    int buttonId;
    std::int32_t value;
};

// One set of radios for one field. No radio checked, or only the fallback radio, reads as 0.
struct RadioGroup {
    std::int32_t SettingsRecord::*field;
    int firstId;
    int lastId;
    // Checked for 0 and for any value no choice stands for.
    int fallbackId;
    // Asked in this order when the dialog is read; the first checked one decides.
    std::span<const RadioChoice> choices;
};

constexpr RadioChoice kPlacementChoices[] = {
    {IDC_PLACE_TOP_LEFT, 1},     {IDC_PLACE_TOP_RIGHT, 2}, {IDC_PLACE_BOTTOM_LEFT, 3},
    {IDC_PLACE_BOTTOM_RIGHT, 4}, {IDC_PLACE_CENTRE, 5},
};
constexpr RadioChoice kStackingChoices[] = {
    {IDC_STACK_ALWAYS_TOP, kStackingAlwaysOnTop},
    {IDC_STACK_BOTTOM_AT_ID, 2},
    {IDC_STACK_BOTTOM_AT_PW, 1},
};
constexpr RadioChoice kCopyMethodChoices[] = {
    {IDC_COPY_SMALL_WINDOW, 1},
    {IDC_COPY_LIST_CLICK, 2},
};

const RadioGroup kRadioGroups[] = {
    {&SettingsRecord::placement, IDC_PLACE_TOP_LEFT, IDC_PLACE_KEEP, IDC_PLACE_KEEP,
     kPlacementChoices},
    {&SettingsRecord::stacking, IDC_STACK_ALWAYS_TOP, IDC_STACK_BOTTOM_AT_END,
     IDC_STACK_BOTTOM_AT_END, kStackingChoices},
    {&SettingsRecord::copyMethod, IDC_COPY_TOOLBAR_ONLY, IDC_COPY_LIST_CLICK, IDC_COPY_TOOLBAR_ONLY,
     kCopyMethodChoices},
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
    const std::int32_t value = parseLeadingInt(text.substr(0, kDurationFieldUnits));
    return value < low || value > high ? fallback : value;
}

void fillSettingsDialog(const SettingsRecord& settings, SettingsForm& form) {
    for (const RadioGroup& group : kRadioGroups) {
        form.checkRadio(group.firstId, group.lastId, radioShowing(group, settings.*group.field));
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
        settings.*group.field = valueOfCheckedRadio(group, form);
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
    host.moveWindow(settings.stacking == kStackingAlwaysOnTop ? StackingMove::Top
                                                              : StackingMove::NoTop);
}

} // namespace kavo
