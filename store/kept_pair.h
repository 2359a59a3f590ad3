// Copies of the data files kept under names of their own, never written or removed by a save. The
// entry list and the password file only make sense together (row i goes with password record i),
// so they are always kept as a pair, under one time stamp.
#pragma once

#include "store/file_set.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// Why a pair is kept: the files as found at start, which a save is about to replace; unsaved
// changes that a session end wrote and the user did not take back, or that gave way to a version
// another program wrote; or that other version, which a save is about to replace.
enum class KeptPairKind { AsFound, UnsavedChanges, OtherVersion };

// "<name>.as-found-<stamp>.bak", "<name>.unsaved-<stamp>.bak" or "<name>.other-<stamp>.bak".
std::u16string keptAsideName(std::u16string_view fileName, KeptPairKind kind,
                             std::u16string_view stamp);

// "<name>.kavo-unsaved": the unsaved changes a session end writes before it asks whether to save,
// so that a session that ends KAVO before the answer loses nothing. A save never writes or removes
// a name of this form.
std::u16string recoveryPairName(std::u16string_view fileName);

struct KeptPair {
    // The pair is kept: copied now, or found already kept with the very same bytes.
    bool kept = false;
    bool alreadyKept = false;
    // The copies, in the order of the names; empty when nothing needed keeping.
    std::vector<std::u16string> copies;
    // The file that could not be copied, when not kept.
    std::u16string failedFile;
};

// Copies every existing file of sources[i] to keptAsideName(names[i], ...) under one stamp (made
// unique among earlier copies). A pair whose copies already hold exactly these bytes is not copied
// again. On a failure the copies made so far are removed again: no half pair is left.
KeptPair keepPairAside(FileSystem& fs, std::span<const std::u16string> sources,
                       std::span<const std::u16string> names, KeptPairKind kind,
                       std::u16string_view stamp);

// The copies of these files that KAVO made beside them (kept-aside pairs of both kinds and the
// recovery pair) and that are still readable: not containers.
std::vector<std::u16string> readableCopies(const FileSystem& fs,
                                           std::span<const std::u16string> names);

} // namespace kavo
