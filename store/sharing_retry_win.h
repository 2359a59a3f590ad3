// Other programs (a sync client, a virus scanner, the search indexer) open data files for a
// moment. An operation that meets their hold is tried again for about a second before it counts
// as failed.
#pragma once

#include <windows.h>

#include "win/owned_handles_win.h"

namespace kavo {

// Errors that say another program holds the file and nothing was done.
inline bool isHeldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// Runs the attempt until it succeeds, fails for another reason, or about a second has passed.
// The attempt returns whether it succeeded and leaves GetLastError() as the failure set it.
template <typename Attempt>
bool retryWhileHeld(Attempt attempt) {
    constexpr int kTries = 10;
    constexpr DWORD kPauseMs = 100;
    for (int tries = 1;; ++tries) {
        if (attempt()) {
            return true;
        }
        const DWORD error = GetLastError();
        if (tries == kTries || !isHeldByAnotherProgram(error)) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}

// CreateFileW, tried again while another program holds the file.
inline OwnedFile openRetryingWhileHeld(const wchar_t* path, DWORD access, DWORD share,
                                       DWORD disposition, DWORD flags) {
    OwnedFile file;
    retryWhileHeld([&] {
        file.reset(CreateFileW(path, access, share, nullptr, disposition, flags, nullptr));
        return static_cast<bool>(file);
    });
    return file;
}

} // namespace kavo
