// The ways a user starts a sequence: the toolbar's ID and PW buttons, and a right-click in the
// list, which by the copy method does nothing, opens the small copy window or starts the ID
// phase directly.
#pragma once

namespace kavo {

struct App;

void onIdButton(App& app);
void onPwButton(App& app);
void onListRightClick(App& app);

} // namespace kavo
