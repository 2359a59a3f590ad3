// Times opening a store of 1000 entries as a start does it, for each protection: from the two
// files' bytes to the parsed rows and passwords, with Windows' own CNG and DPAPI. The master
// password's figure includes deriving the key (PBKDF2, 600,000 iterations), which is most of it.
//
//   kavo_protected_open_bench [RUNS]     (default 5; each figure is the median, in milliseconds)

#include "store/ansi_codec_win.h"
#include "store/container_crypto_win.h"
#include "store/list_file.h"
#include "store/password_file.h"
#include "store/protected_pair.h"
#include "tests/support/memory_table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kavo {
namespace {

constexpr int kDefaultRuns = 5;
constexpr int kEntries = 1000;
constexpr std::u16string_view kMaster = u"bench-master-password";

struct LegacyPair {
    Bytes list;
    Bytes passwords;
};

LegacyPair thousandEntries() {
    MemoryTable store;
    std::vector<Entry> rows;
    for (int n = 0; n < kEntries; ++n) {
        const std::u16string number =
            std::u16string(u"0000") + static_cast<char16_t>(u'0' + n % 10);
        rows.push_back({u"entry " + number, EntryType(u'B'), u"user" + number, u""});
    }
    store.table.loadRows(rows);
    for (int n = 0; n < kEntries; ++n) {
        store.contents.slots.set(n, u"p@ss~" +
                                        std::u16string(1, static_cast<char16_t>(u'a' + n % 26)));
    }
    MasterPassword master;
    master.text = kMaster;
    const ThreadAnsiCodec codec;
    return {encodeTextFile(listFileText(store.table)),
            passwordFileBytes(master, store.contents.slots, codec)};
}

PairBytes sealedAs(ContainerCrypto& crypto, const LegacyPair& legacy, Protection protection) {
    if (protection == Protection::Scrambled) {
        return {legacy.list, legacy.passwords};
    }
    DataProtection chosen;
    chosen.chosen = protection;
    Bytes list = legacy.list;
    Bytes passwords = legacy.passwords;
    PairSeal seal = sealPair(crypto, list, passwords, chosen, kMaster);
    return {seal.list, seal.passwords};
}

// Opening as a start does: unwrap (asking for the password once), then read both files.
double openMilliseconds(ContainerCrypto& crypto, const PairBytes& files) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PairBytes pair = files;
    DataProtection protection;
    const PairOpen opened = openPair(crypto, pair, protection,
                                     [](const auto& tryPassword) { return tryPassword(kMaster); });
    const ThreadAnsiCodec codec;
    MasterPassword master;
    PasswordSlots slots;
    std::vector<Entry> rows;
    ListParser parser;
    const bool read =
        (opened.status == PairOpenStatus::Opened || opened.status == PairOpenStatus::Compatible) &&
        readPasswordFile(*pair.passwords, codec, master, slots).status == PasswordFileStatus::Ok &&
        parser.parseListFile(rows, *pair.list);
    QueryPerformanceCounter(&end);
    if (!read || rows.size() != kEntries || master.text != kMaster) {
        std::fprintf(stderr, "the store did not open\n");
        std::exit(1);
    }
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace
} // namespace kavo

int main(int argc, char** argv) {
    using namespace kavo;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    WindowsContainerCrypto crypto;
    const LegacyPair legacy = thousandEntries();
    std::printf("opening %d entries, median of %d runs\n", kEntries, runs);
    const struct {
        const char* name;
        Protection protection;
    } cases[] = {{"scrambled (compatible)", Protection::Scrambled},
                 {"Windows user (DPAPI)", Protection::WindowsUser},
                 {"master password (PBKDF2 + AES-GCM)", Protection::MasterPassword}};
    for (const auto& each : cases) {
        const PairBytes files = sealedAs(crypto, legacy, each.protection);
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            times.push_back(openMilliseconds(crypto, files));
        }
        std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
        std::printf("  %-36s %9.1f ms  (files %zu + %zu bytes)\n", each.name,
                    times[static_cast<std::size_t>(runs / 2)], files.list->size(),
                    files.passwords->size());
    }
    return 0;
}
