// The ways a user starts a sequence: the toolbar's ID and PW buttons, and a right-click in the
// list, which by the copy method does nothing, opens the small copy window or starts the ID
// phase directly, on the row under the cursor.
#pragma once

namespace kavo {

struct App;

void onIdButton(App& app);
void onPwButton(App& app);
// clickedRow: the row under the cursor, -1 for none.
void onListRightClick(App& app, int clickedRow);

} // namespace kavo
