// Generations of earlier saves: before a save replaces the data files, the pair it replaces is
// copied into a folder of its own under the backup folder, named by the local time of the save.
// Only the last few are kept; of what lies in the backup folder, only folders of KAVO's own form
// that hold nothing but the two data files are ever removed.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

inline constexpr std::u16string_view kBackupFolderName = u"KAVO-backup";
constexpr std::size_t kGenerationsKept = 10;

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "YYYYMMDD-HHMMSS".
std::u16string generationStamp(const LocalTime& time);

// The stamp, or the stamp with "-2" ... when folders of that second are there already.
std::u16string newGenerationName(std::u16string_view stamp,
                                 std::span<const std::u16string> existing);

// "YYYYMMDD-HHMMSS" or "YYYYMMDD-HHMMSS-N", digits only: the names KAVO gives its generations.
bool isGenerationName(std::u16string_view name);

struct GenerationFolder {
    std::u16string name;
    // The names of everything inside it.
    std::vector<std::u16string> contents;
};

// A folder KAVO made for a generation: its name has the stamp's form and it holds nothing but the
// data files.
bool isOwnGeneration(const GenerationFolder& folder, std::span<const std::u16string> dataFileNames);

// The generations to remove so that the newest `kept` of KAVO's own stay: oldest first. A folder
// of another name, or one that holds anything besides the two data files, is no generation of
// KAVO's and is left where it is (it counts towards nothing).
std::vector<std::u16string> generationsToRemove(std::span<const GenerationFolder> folders,
                                                std::span<const std::u16string> dataFileNames,
                                                std::size_t kept = kGenerationsKept);

} // namespace kavo
