// One KAVO per data folder: the key a running KAVO is known by, taken from its folder's path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kavo {

// The same for every spelling of one folder that differs only in the separators ('/' or '\'),
// separators at the end, and a "\\?\" prefix. The caller folds letter case and resolves links
// first, as the file system sees them.
std::uint64_t dataFolderKey(std::u16string_view folderPath);

// The name of the object that the KAVO of a folder holds while it runs: in the session's own
// namespace, with no separator after it.
std::u16string dataFolderLockName(std::uint64_t key);

} // namespace kavo
