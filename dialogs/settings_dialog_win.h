// Dialog 36 "画面&動作設定", opened by its menu item and toolbar button in every lock state.
#pragma once

namespace kavo {

struct App;

// Runs the modal settings dialog over the main window, then applies the placement preset,
// however the dialog was closed.
void openSettingsDialog(App& app);

} // namespace kavo
