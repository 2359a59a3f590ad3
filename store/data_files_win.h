// Reading and saving the data files in the data directory: each file is read whole in one pass;
// saving replaces a set of files all or none, through new files beside the old ones.
#pragma once

#include <windows.h>

#include "store/export_file.h"
#include "store/file_set.h"
#include "store/kept_pair.h"
#include "store/text_lines.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

// Whether a file operation reports its failures with a message box.
enum class FileMessages { Off, On };

// The process's current directory: the data directory, captured once at start.
std::wstring currentDirectory();

// dataDirectory + "\" + name.
std::wstring dataFilePath(const std::wstring& dataDirectory, std::wstring_view fileName);

enum class FileReadStatus { Ok, OpenFailed, TooLarge, CloseFailed };

struct FileRead {
    FileReadStatus status = FileReadStatus::Ok;
    Bytes bytes;
};

// Reads the whole file at the path, sharing it as readDataFile does; says nothing.
FileRead readWholeFile(const std::wstring& path, std::size_t maxBytes);

// Makes the data directory current and reads the whole file, sharing it with readers and with a
// program that renames or deletes it; a hold by another program is waited out for a moment. nullopt
// when it cannot be opened or read (reported as the open failure), is larger than maxBytes
// (reported as too large) or cannot be closed (close failure).
std::optional<Bytes> readDataFile(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  std::size_t maxBytes, FileMessages messages, HWND owner);

// readDataFile, then the FF FE mark check and the split into lines.
std::optional<std::vector<std::u16string>> readTextFile(const std::wstring& dataDirectory,
                                                        std::wstring_view fileName,
                                                        std::size_t maxBytes, FileMessages messages,
                                                        HWND owner);

// Makes the data directory current and replaces the files, all or none (saveFileSet). With
// messages on, a failure is reported naming the file that failed. True when all were saved.
bool saveDataFiles(HWND owner, const std::wstring& dataDirectory, std::span<const FileToSave> files,
                   FileMessages messages);

// Creates or replaces one file in any folder (exportFile), without making that folder current.
ExportOutcome exportFileSafely(const std::wstring& directory, std::wstring_view fileName,
                               std::span<const std::uint8_t> content);

// Undoes a save of these files that a crash cut short, and clears what earlier saves left behind
// (recoverFileSet). Silent: the caller says what an inconsistent outcome means.
RecoveryOutcome recoverDataFiles(const std::wstring& dataDirectory,
                                 std::span<const std::u16string> names);

// A regular file of that name is in the data directory.
bool isDataFile(const std::wstring& dataDirectory, std::wstring_view fileName);

// Keeps the files of sources as a pair beside them, under the names' kept-aside form with the local
// time as the stamp (keepPairAside): what could not be read, or was not saved, is never lost.
KeptPair keepDataFilesAside(const std::wstring& dataDirectory,
                            std::span<const std::u16string> sources,
                            std::span<const std::u16string> names, KeptPairKind kind);

} // namespace kavo
