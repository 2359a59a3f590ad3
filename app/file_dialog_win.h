// The common open and save dialogs as the commands that read or write files outside the data
// folder use them, and the split of the path they hand back.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

namespace kavo {

struct PathParts {
    std::wstring directory;
    std::wstring name;
};

PathParts splitPath(const std::wstring& path);

// A dialog over the owner that writes the chosen path into `path` (sized for it here), filtered by
// `filter` (pairs of NUL-ended texts); the caller adds its flags.
OPENFILENAMEW fileDialog(HWND owner, std::wstring& path, const std::wstring& filter,
                         const wchar_t* defaultExtension);

// Password files have no business in the recent-documents lists, and the data folder stays the
// current one.
constexpr DWORD kFileDialogFlags =
    OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;

// Runs GetOpenFileNameW or GetSaveFileNameW (by name); true when a path was chosen, which then is
// all `path` holds.
bool askForFile(OPENFILENAMEW& dialog, const char* function, std::wstring& path);

// Two paths to one existing file, however each is spelt (a short name, a link, another mapping).
bool sameFile(const std::wstring& a, const std::wstring& b);

} // namespace kavo
