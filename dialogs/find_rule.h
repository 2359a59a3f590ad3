// Finding an entry by a piece of its title or ID: how texts compare, which row comes next, and
// where the find box stands beside the main window.
#pragma once

#include "settings/window_reach.h"
#include "store/entry_table.h"

#include <string>
#include <string_view>

namespace kavo {

// The text as find compares it: full-width ASCII forms (U+FF01 to U+FF5E) and the ideographic
// space become their half-width forms, and capital letters (Latin, Greek, Cyrillic) small ones.
// Every unit maps to one unit, so the folded text is as long as the original.
std::u16string foldForFind(std::u16string_view text);

// True when the folded needle lies in the title or the ID. An empty needle matches nothing: an
// empty find box selects nothing.
bool entryMatches(std::u16string_view title, std::u16string_view id,
                  std::u16string_view foldedNeedle);

enum class FindDirection { Next, Previous };

struct FindResult {
    int row = -1;         // -1: no row matches
    bool wrapped = false; // the search went past the last (or first) row to get there
};

// The first matching row from the top, as typing finds it.
FindResult findFirst(const EntryTable& table, std::u16string_view text);

// The next or previous matching row after the row given, around the end of the table. From -1
// (nothing selected) the next is the first match and the previous the last. When only the row
// given matches, it is found again, wrapped.
FindResult findFrom(const EntryTable& table, std::u16string_view text, int from,
                    FindDirection direction);

// What the find box says under the text: nothing after a plain hit.
std::u16string_view findStatusText(const FindResult& result, FindDirection direction);

// Where the find box goes: just below the main window, left edges aligned, or just above it
// when below leaves the work area; kept inside the work area sideways. When neither fits, the
// box stays where it was put (centred), and the result is that rectangle unchanged.
ScreenRect findBoxPlace(const ScreenRect& box, const ScreenRect& owner, const ScreenRect& workArea);

} // namespace kavo
