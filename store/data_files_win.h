// Reading and writing the data files in the data directory: each file is read whole in one
// pass and written whole through a temporary file that replaces the old one in one step.
#pragma once

#include <windows.h>

#include "store/text_lines.h"

#include <optional>
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

// Makes the data directory current and reads the whole file. nullopt when it cannot be opened
// or read (reported as the open failure) or closed (close failure).
std::optional<Bytes> readDataFile(const std::wstring& dataDirectory, std::wstring_view fileName,
                                  FileMessages messages, HWND owner);

// readDataFile, then the FF FE mark check and the split into lines.
std::optional<std::vector<std::u16string>> readTextFile(const std::wstring& dataDirectory,
                                                        std::wstring_view fileName,
                                                        FileMessages messages, HWND owner);

// Writes the complete content (mark included) next to the file, flushes it, then moves it over
// the old file. On any failure the old file stays whole, the temporary file is removed and,
// with messages on, the failure is reported; false tells the caller nothing was replaced.
bool writeStoreFile(HWND owner, const std::wstring& dataDirectory, std::wstring_view fileName,
                    FileMessages messages, const Bytes& content);

} // namespace kavo
