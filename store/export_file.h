// Writing one file the user named, in a folder of the user's: the content goes to a hidden side
// file first and takes the name only once complete and flushed, so the named file is always
// either what it was or the whole new content. The side files have a form of their own,
// "<name>.kavo-export-<hex>-<hex>.new|old", which no save of the data files uses or recovers;
// nothing else in the folder is ever removed.
#pragma once

#include "store/file_set.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

struct ExportOutcome {
    // The named file holds the new content.
    bool written = false;
    // Side files of an export that could not be removed (this one's or an earlier one's).
    std::vector<std::u16string> leftBehind;

    // Only then is the export a success: the file is there and nothing of KAVO's beside it.
    bool done() const { return written && leftBehind.empty(); }
};

// Writes the file under the name, after removing what earlier exports into the folder left
// (a crash, a held file). The save id ("<hex>-<hex>") is new to the folder.
ExportOutcome exportFile(FileSystem& fs, std::u16string_view name,
                         std::span<const std::uint8_t> content, std::u16string_view saveId);

} // namespace kavo
