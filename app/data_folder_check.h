// Whether the folder KAVO starts in will keep the data. The data lives in the current directory,
// and a few places look fine at start but lose or refuse every save: a temporary folder (an exe
// run straight from inside a zip), Program Files, the Windows folder (a start-up entry or a
// scheduled task), or a folder that cannot be written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavo {

enum class DataFolderProblem { None, Temporary, ProgramFiles, WindowsFolder, NotWritable };

// The system's folders as Windows names them for this user, in any spelling of case and
// separators.
struct SystemFolders {
    std::vector<std::u16string> temporary;
    std::vector<std::u16string> programFiles;
    std::vector<std::u16string> windows;
    // A temporary root that holds the whole profile (GetTempPath falls back to it when TMP and
    // TEMP are unset) would make every folder of the user's own temporary: such a root is skipped.
    std::u16string userProfile;
};

// True when the path is the root or lies inside it, compared whole component by component, with
// ASCII letter case, separators, a "\\?\" prefix and separators at the end ignored. An empty root
// or a bare drive contains nothing.
bool liesUnder(std::u16string_view path, std::u16string_view root);

// What the path alone says; the folder's writability is the caller's to probe when this is None.
DataFolderProblem dataFolderProblem(std::u16string_view folder, const SystemFolders& folders);

// The one message: the folder, why it will not keep the data, and what to do.
std::u16string dataFolderWarning(DataFolderProblem problem, std::u16string_view folder);

} // namespace kavo
