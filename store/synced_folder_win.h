// The data folder as a sync client shares it with other PCs: what the two data files are on disk
// now, the generations of earlier saves kept in the backup folder, and the copies sync clients
// leave beside the files.
#pragma once

#include <windows.h>

#include "store/pair_fingerprint.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kavo {

// The fingerprint of one data file that was read into these bytes (nullopt: it could not be read),
// with the time stamp it has on disk now.
FileFingerprint fingerprintOfRead(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  const std::optional<std::vector<std::uint8_t>>& bytes);

// Both data files as they are on disk now, each read whole. Silent.
PairFingerprint fingerprintOnDisk(const std::wstring& dataDirectory,
                                  std::span<const std::u16string, 2> names);

struct GenerationOutcome {
    bool kept = false;
    // The generation's folder, also when it could not be made; empty when there was nothing to
    // keep.
    std::wstring folder;
};

// Copies the data files that are there into a new generation folder of the backup folder, then
// removes KAVO's own generations beyond the last ones kept. Nothing to copy counts as kept; a copy
// that fails leaves no half generation behind.
GenerationOutcome keepGeneration(const std::wstring& dataDirectory,
                                 std::span<const std::u16string, 2> names);

// Removes the generation a save made that then failed: the files it holds are still the data
// files, and it would push a real generation out. The backup folder goes too once it is empty.
void dropGeneration(const GenerationOutcome& generation);

// KAVO's own generations that hold a readable (not protected) data file, as names relative to the
// data folder ("KAVO-backup\<stamp>").
std::vector<std::u16string> clearGenerationsIn(const std::wstring& dataDirectory,
                                               std::span<const std::u16string, 2> names);

// Removes one generation folder named as above, with its files; false when it is still there.
bool removeGenerationIn(const std::wstring& dataDirectory, std::u16string_view generation);

// The sync clients' copies of the data files in the folder, by name.
std::vector<std::u16string> conflictCopiesIn(const std::wstring& dataDirectory,
                                             std::span<const std::u16string, 2> names);

} // namespace kavo
