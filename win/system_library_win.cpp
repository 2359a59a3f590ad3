#include "win/system_library_win.h"

#include <string_view>

namespace kavo {

HMODULE systemLibrary(const wchar_t* fileName) noexcept {
    // By its full path: the search order then plays no part, whatever state it is in.
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    const std::wstring_view name(fileName);
    if (length == 0 || length + 1 + name.size() >= MAX_PATH) {
        return nullptr;
    }
    path[length] = L'\\';
    name.copy(path + length + 1, name.size());
    // Already loaded: no second reference, so repeated use never piles them up.
    if (const HMODULE loaded = GetModuleHandleW(path)) {
        return loaded;
    }
    return LoadLibraryW(path);
}

} // namespace kavo
