// An in-memory data directory for the file-set tests and the recovery fuzzer.
#pragma once

#include "store/file_set.h"

#include <map>
#include <set>

namespace kavo {

struct Crash {};

// An in-memory data directory whose changing operations can fail, or stop the program, at a
// chosen step. A failed replace may have done its first half (the old file already renamed to
// the backup), as ReplaceFileW can. A file held open by another program cannot be replaced,
// moved, removed or moved onto, as MoveFileExW and ReplaceFileW refuse it.
class FakeFileSystem : public FileSystem {
  public:
    std::map<std::u16string, Bytes> files;
    // Held open by another program: cannot be replaced, moved or removed.
    std::set<std::u16string> held;
    int failAt = -1;
    int crashAt = -1;
    bool halfReplace = false;
    int steps = 0;

    bool isFile(std::u16string_view name) const override { return files.contains(key(name)); }
    std::vector<std::u16string> filesStartingWith(std::u16string_view prefix) const override {
        std::vector<std::u16string> found;
        for (const auto& [name, content] : files) {
            if (name.starts_with(prefix)) {
                found.push_back(name);
            }
        }
        return found;
    }
    bool canReplace(std::u16string_view name) const override { return !held.contains(key(name)); }
    bool writeNewFile(std::u16string_view name, std::span<const std::uint8_t> content) override {
        if (!step() || isFile(name)) {
            return false;
        }
        files[key(name)] = Bytes(content.begin(), content.end());
        return true;
    }
    bool replaceFile(std::u16string_view target, std::u16string_view replacement,
                     std::u16string_view backup) override {
        if (!step()) {
            if (halfReplace && isFile(target)) {
                files[key(backup)] = take(target);
            }
            return false;
        }
        if (!isFile(target) || !isFile(replacement) || held.contains(key(target)) ||
            held.contains(key(replacement))) {
            return false;
        }
        files[key(backup)] = take(target);
        files[key(target)] = take(replacement);
        hidden.erase(key(replacement)); // the target keeps the old file's attributes
        return true;
    }
    bool moveFile(std::u16string_view from, std::u16string_view to) override {
        if (!step() || !isFile(from) || held.contains(key(from)) || held.contains(key(to))) {
            return false;
        }
        files[key(to)] = take(from);

        if (hidden.erase(key(from)) != 0) {
            hidden.insert(key(to));
        }
        return true;
    }
    bool removeFile(std::u16string_view name) override {
        if (!step() || held.contains(key(name))) {
            return false;
        }
        return files.erase(key(name)) == 1;
    }

    std::optional<Bytes> readFile(std::u16string_view name, std::size_t maxBytes) const override {
        const auto found = files.find(key(name));
        if (found == files.end() || found->second.size() > maxBytes) {
            return std::nullopt;
        }
        return found->second;
    }
    bool copyFile(std::u16string_view from, std::u16string_view to) override {
        if (!step() || !isFile(from) || isFile(to)) {
            return false;
        }
        files[key(to)] = files[key(from)];
        return true;
    }
    // Files written hidden and not made ordinary since.
    std::set<std::u16string> hidden;
    bool writeHiddenFile(std::u16string_view name, std::span<const std::uint8_t> content) override {
        if (!writeNewFile(name, content)) {
            return false;
        }
        hidden.insert(key(name));
        return true;
    }
    bool unhideFile(std::u16string_view name) override {
        if (!step() || !isFile(name)) {
            return false;
        }
        hidden.erase(key(name));
        return true;
    }

  private:
    static std::u16string key(std::u16string_view name) { return std::u16string(name); }
    Bytes take(std::u16string_view name) {
        Bytes content = std::move(files[key(name)]);
        files.erase(key(name));
        return content;
    }
    bool step() {
        const int now = steps++;
        if (now == crashAt) {
            throw Crash{};
        }
        return now != failAt;
    }
};

} // namespace kavo
