// The About box: modeless, so the main window stays usable; each "バージョン" opens another.
#pragma once

namespace kavo {

struct App;

void openAboutBox(App& app);

} // namespace kavo
