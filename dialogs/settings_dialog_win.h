// Dialog 36 "画面&動作設定", opened by its menu item and toolbar button in every lock state.
#pragma once

#include <windows.h>

#include "sequencer/sequence.h"
#include "settings/settings_record.h"

#include <functional>

namespace kavo {

// Runs the modal settings dialog over the main window on the live record; `reset` is called
// after "初" has reset it (pass mode may be off now). True when ＯＫ closed the dialog; the caller
// then applies the stacking, and the placement preset however it closed.
bool runSettingsDialog(HWND owner, HINSTANCE instance, SettingsRecord& settings, SequenceHost& host,
                       const std::function<void()>& reset);

} // namespace kavo
