// The main window shows the sequence and lock state in its caption and its background.
#pragma once

namespace kavo {

struct App;

// Sets the caption for the state and paints the whole client area now, with erasing.
void repaintMainWindow(App& app);

} // namespace kavo
