// Functions of the system DLLs that KAVO needs only for some commands (the file dialogs, the
// input method of the password fields, the session notices): loaded on first use, so a start
// does not pay for them, and only ever from the system folder, so nothing placed beside KAVO.exe
// or the data is loaded instead.
#pragma once

#include <windows.h>

namespace kavo {

// The module of the system folder's DLL of that name ("comdlg32.dll"), loaded if it is not yet.
// It stays loaded for the rest of the process: Windows keeps the one reference, KAVO keeps no
// handle. nullptr when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* fileName) noexcept;

// The named function of that DLL, typed as the caller declares it (decltype of the SDK's
// declaration); nullptr when the DLL or the function is missing.
template <typename Function>
Function* systemFunction(const wchar_t* fileName, const char* name) noexcept {
    const HMODULE module = systemLibrary(fileName);
    if (module == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace kavo
