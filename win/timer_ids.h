// Timers of the main window and its private messages. Plain numbers, shared with the tests.
#pragma once

namespace kavo {

constexpr unsigned kSequenceTimerId = 1; // ends the ID or password phase
constexpr unsigned kPasteTimerId = 2;    // the short delay after a detected paste
constexpr unsigned kRevealTimerId = 3;   // masks revealed passwords again
// Tries again a clipboard write that another program's hold kept from landing.
constexpr unsigned kClipboardRetryTimerId = 4;
// Tries again to register for session notifications that Windows refused at start.
constexpr unsigned kSessionWatchTimerId = 5;
// Looks at the data files while a change another program made to them settles.
constexpr unsigned kFolderCheckTimerId = 6;

// The tray icon's callback message (WM_USER).
constexpr unsigned kTrayCallbackMessage = 0x0400;
// The data folder changed (posted by the folder watch's thread; WM_USER + 1).
constexpr unsigned kDataFolderChangedMessage = 0x0401;

} // namespace kavo
