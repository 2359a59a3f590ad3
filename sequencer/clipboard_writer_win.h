// The program's one clipboard writer.
#pragma once

#include <windows.h>

#include "sequencer/sequence.h"

#include <string_view>

namespace kavo {

// Longest text put on the clipboard; longer text is cut.
constexpr std::size_t kMaxClipboardUnits = 1024;

// Puts the text (at most 1024 units) on the clipboard as Unicode text, marked so that
// clipboard viewers, history and cloud clipboard leave it alone. Empty text leaves the clipboard as
// it is. When another program holds the clipboard it tries again every few tens of milliseconds for
// up to patienceMs (0: a single try). True when the text is on the clipboard (an empty text counts
// as written); false when the clipboard stayed held or memory ran short.
bool putClipboardText(std::u16string_view text, HWND owner, int patienceMs);

// The same, but only while the clipboard's text is still ownText (as the writer put it, cut
// the same way): whatever else it holds is someone's own copy and stays (NotOurs).
ClipboardWrite replaceOwnClipboardText(std::u16string_view ownText, std::u16string_view text,
                                       HWND owner, int patienceMs);

} // namespace kavo
