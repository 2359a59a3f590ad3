// Dialog 36 "画面&動作設定": eight settings shown in radios, check boxes and three duration
// fields. The dialog works on the live record: "初" resets it at once, ＯＫ reads every control
// into it and applies the stacking mode to the main window straight away.
#pragma once

#include "sequencer/sequence.h"
#include "settings/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kavo {

// Only the first five units of a duration field count; the rest of its text is ignored.
constexpr std::size_t kDurationFieldUnits = 5;

// The controls of the open dialog, by their resource ids. The shell asks the real controls.
class SettingsForm {
  public:
    virtual ~SettingsForm() = default;
    virtual bool isChecked(int buttonId) const = 0;
    virtual void setChecked(int buttonId, bool checked) = 0;
    // Checks this radio and unchecks the others from firstId to lastId.
    virtual void checkRadio(int firstId, int lastId, int checkedId) = 0;
    // The field's text; a shell may hand over no more than the units that count.
    virtual std::u16string text(int editId) const = 0;
    virtual void setText(int editId, std::u16string_view text) = 0;
};

// A duration field's value: its first five units read like _wtoi (leading blanks, a sign,
// digits up to the first other unit, 0 without digits), full-width digits (０-９) as digits;
// outside low..high the fallback.
std::int32_t durationFromText(std::u16string_view text, std::int32_t low, std::int32_t high,
                              std::int32_t fallback);

// Every control from the record. A value no radio stands for checks the group's first value
// ("保持", "IDで最上位、ENDで最下位", "ツールバーのボタンのみ").
void fillSettingsDialog(const SettingsRecord& settings, SettingsForm& form);
// Every control into the record; a duration out of range becomes its default silently.
void readSettingsDialog(const SettingsForm& form, SettingsRecord& settings);

// ＯＫ while the dialog is still open: read every control into the record, show the idle small
// icon (whatever a running sequence shows) and keep the tray icon in step.
void confirmSettingsDialog(const SettingsForm& form, SettingsRecord& settings, SequenceHost& host);

// The rest of ＯＫ, once the dialog has gone and before the placement preset: the stacking mode
// at once, with the stored rectangle; top-most for "常に最上位", else not top-most. Not while
// the dialog is open: a window that owns a visible pop-up is not always allowed to become
// top-most (Wine places it below its pop-up instead).
void applyStackingAfterOk(const SettingsRecord& settings, SequenceHost& host);

} // namespace kavo
