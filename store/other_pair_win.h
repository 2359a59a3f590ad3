// Opening the pair of data files of another KAVO folder, of a pair KAVO kept aside, of a generation
// or of a sync client's copy, for its entries to be taken in. The one way such a pair is read.
#pragma once

#include <windows.h>

#include "store/merge_plan.h"
#include "store/protected_pair.h"

#include <string>
#include <vector>

namespace kavo {

enum class OtherPairStatus {
    Ok,
    NoPartner,
    Unreadable,
    ProtectedElsewhere, // protected for another Windows user or on another PC
    Cancelled,          // its master password was not given
};

struct OtherPair {
    OtherPairStatus status = OtherPairStatus::Ok;
    // The password file that goes with the list picked.
    std::wstring passwordPath;
    // The file that could not be read, when unreadable.
    std::wstring failedPath;
    std::vector<OtherEntry> entries;
};

// Reads the entry list at the path and the password file named after it, whole, in this PC's code
// page. A protected pair is opened as KAVO opens its own: ask is asked for the master password of
// that pair. Nothing else is asked and nothing is reported: the caller says what the status means.
OtherPair readOtherPair(const std::wstring& listPath, const MasterPasswordAsk& ask);

} // namespace kavo
