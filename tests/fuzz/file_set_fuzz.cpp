// The pair save and its recovery over directories of any make-up: files a person or another
// program put there, saves and recoveries cut short at any step, data and side files held open.
// Only the save's own side files are ever removed or renamed (of an earlier version's names, only
// "<name>.new"), and once nothing is held any more the pair is wholly the old one or wholly the new
// one.
#include "tests/core/fake_file_system.h"

#include <array>
#include <cstdlib>

namespace {

using kavo::Bytes;
using kavo::FakeFileSystem;

const std::array<std::u16string, 2> kNames{u"pw_set1.dat", u"pw_set2.dat"};
// Names a person might give their own copies, and some that come close to the save's own.
const std::array<std::u16string_view, 10> kForeignSuffixes{
    u".old",        u".none",         u".bak",          u".kavo-backup",      u".kavo-1.txt",
    u".kavo-1.old", u".KAVO-1-1.old", u".kavo-1-x.new", u".kavo-1-1.old.bak", u".kavo--1.none"};
constexpr std::u16string_view kLegacyNew = u".new";

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

Bytes content(char kind, char which) {
    return Bytes{static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(which)};
}

bool pairIs(const FakeFileSystem& fs, const std::array<std::optional<Bytes>, 2>& pair) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const auto found = fs.files.find(kNames[i]);
        const std::optional<Bytes> now =
            found == fs.files.end() ? std::nullopt : std::optional<Bytes>(found->second);
        if (now != pair[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    FakeFileSystem fs;
    std::array<std::optional<Bytes>, 2> oldPair;
    const std::uint8_t present = input.next();
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if ((present >> i) & 1) {
            oldPair[i] = content('o', static_cast<char>('1' + i));
            fs.files[kNames[i]] = *oldPair[i];
        }
    }
    const int foreignCount = input.next() % 6;
    for (int n = 0; n < foreignCount; ++n) {
        const std::uint8_t pick = input.next();
        const std::u16string& name = kNames[pick & 1];
        const std::size_t suffix = (pick >> 1) % (kForeignSuffixes.size() + 1);
        fs.files[name + std::u16string(suffix == kForeignSuffixes.size()
                                           ? kLegacyNew
                                           : kForeignSuffixes[suffix])] = content('u', 'x');
    }
    const auto foreign = fs.files;

    // A save of the new pair, failing or stopping at some step, with a file held meanwhile.
    const std::vector<kavo::FileToSave> newFiles{{kNames[0], content('n', '1')},
                                                 {kNames[1], content('n', '2')}};
    const std::array<std::optional<Bytes>, 2> newPair{content('n', '1'), content('n', '2')};
    const std::uint8_t plan = input.next();
    const int step = input.next() % 24;
    fs.halfReplace = (plan & 1) != 0;
    (plan & 2 ? fs.crashAt : fs.failAt) = step;
    static const std::array<std::u16string_view, 4> kHeldKinds{u"", u".kavo-1-1.old",
                                                               u".kavo-1-1.new", u".kavo-1-1.none"};
    for (int held = (plan >> 2) & 3; held > 0; --held) {
        const std::uint8_t pick = input.next();
        fs.held.insert(kNames[pick & 1] + std::u16string(kHeldKinds[(pick >> 1) % 4]));
    }
    try {
        kavo::saveFileSet(fs, newFiles, u"1-1");
    } catch (const kavo::Crash&) {
    }
    // The next start's recovery may itself be cut short, at any of its steps, and be run again.
    fs.crashAt = fs.failAt = -1;
    if (plan & 16) {
        fs.crashAt = fs.steps + input.next() % 16;
    }
    try {
        kavo::recoverFileSet(fs, kNames);
    } catch (const kavo::Crash&) {
    }
    fs.crashAt = -1;
    kavo::recoverFileSet(fs, kNames);
    fs.held.clear();
    if (!kavo::recoverFileSet(fs, kNames).consistent) {
        std::abort(); // nothing is held any more: the recovery must finish
    }

    for (const auto& [name, bytes] : foreign) {
        const bool dataFile = name == kNames[0] || name == kNames[1];
        const bool legacyNew = name.ends_with(kLegacyNew) && name.size() == kNames[0].size() + 4;
        if (dataFile || legacyNew) {
            continue;
        }
        const auto now = fs.files.find(name);
        if (now == fs.files.end() || now->second != bytes) {
            std::abort(); // a file of the user's was removed, renamed or replaced
        }
    }
    if (!pairIs(fs, oldPair) && !pairIs(fs, newPair)) {
        std::abort(); // a list beside the wrong passwords
    }
    for (const auto& [name, bytes] : fs.files) {
        if (!foreign.contains(name) && name != kNames[0] && name != kNames[1]) {
            std::abort(); // a side file of the save was left behind
        }
    }
    return 0;
}
