// Copies of the data files that sync clients make beside them when two PCs changed the same file:
// which names they are, and which password file goes with an entry list picked to be taken in.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// Whether the name is a sync client's copy of one of the data files ("pw_set1.dat" or
// "pw_set2.dat"): "pw_set1-<PC>.dat", "pw_set1 (<…conflicted copy…>).dat", "pw_set1(2).dat",
// "pw_set1.sync-conflict-<…>.dat", "pw_set1.dat.~<…>". KAVO's own side files are none of these.
bool isConflictCopyName(std::u16string_view name, std::span<const std::u16string> dataFileNames);

// The conflict copies among the names of a folder's files, in name order.
std::vector<std::u16string> conflictCopies(std::span<const std::u16string> names,
                                           std::span<const std::u16string> dataFileNames);

// The password file that belongs to an entry list of that name: the same name with the list's
// base name ("pw_set1") replaced by the password file's ("pw_set2"), as kept pairs, generations and
// the sync clients' copies name them. nullopt for a name that does not hold the list's base name.
std::optional<std::u16string> partnerFileName(std::u16string_view listFileName,
                                              std::u16string_view listName,
                                              std::u16string_view passwordName);

} // namespace kavo
