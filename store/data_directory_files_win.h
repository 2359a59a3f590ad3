// The data directory as the file layer of a safe save sees it: Win32 file operations on names
// inside the directory.
#pragma once

#include <windows.h>

#include "store/file_set.h"

#include <string>

namespace kavo {

class DataDirectoryFiles final : public FileSystem {
  public:
    explicit DataDirectoryFiles(std::wstring directory) : directory_(std::move(directory)) {}

    bool isFile(std::u16string_view name) const override;
    std::vector<std::u16string> filesStartingWith(std::u16string_view prefix) const override;
    bool canReplace(std::u16string_view name) const override;
    bool writeNewFile(std::u16string_view name, std::span<const std::uint8_t> content) override;
    bool replaceFile(std::u16string_view target, std::u16string_view replacement,
                     std::u16string_view backup) override;
    bool moveFile(std::u16string_view from, std::u16string_view to) override;
    bool removeFile(std::u16string_view name) override;
    std::optional<Bytes> readFile(std::u16string_view name, std::size_t maxBytes) const override;
    bool copyFile(std::u16string_view from, std::u16string_view to) override;
    bool writeHiddenFile(std::u16string_view name, std::span<const std::uint8_t> content) override;
    bool unhideFile(std::u16string_view name) override;

  private:
    std::wstring path(std::u16string_view name) const;
    bool createFile(std::u16string_view name, std::span<const std::uint8_t> content,
                    DWORD attributes);

    std::wstring directory_;
};

// Writes the whole content to an open file and flushes it to the disk; false on any short or
// failed write.
bool writeAllAndFlush(HANDLE file, std::span<const std::uint8_t> content);

} // namespace kavo
