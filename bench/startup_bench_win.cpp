// How long KAVO.exe takes from being started to showing its window, with 1000 entries to load,
// next to two floors built the same way and started in turn by this launcher: a bare window
// program, and one that also shows a list view of 1000 rows; and how much memory each holds once
// its window is up. Also prints the size of KAVO.exe.
//
//   kavo_startup_bench [RUNS]     (default 15 starts of each)
//
// KAVO.exe is found through KAVO_EXE, the two floors beside this benchmark.
#include "bench/clock_win.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/store_fixtures.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kavo;
using namespace kavo::e2e;

namespace {

constexpr int kDefaultRuns = 15;
constexpr int kEntries = 1000;
constexpr DWORD kGiveUpMs = 20000;
// Time for the program to finish what it does right after showing its window.
constexpr DWORD kSettleMs = 400;

struct VisibleSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisible(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<VisibleSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct Start {
    double msToWindow = -1.0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
};

// Starts the program in the directory, waits for its first visible top-level window, reads its
// memory a moment later and closes it again.
Start startOnce(const std::wstring& exe, const std::wstring& directory) {
    Start start;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double begin = nowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process)) {
        return start;
    }
    VisibleSearch search{process.dwProcessId, nullptr};
    while (search.found == nullptr && nowMs() - begin < kGiveUpMs) {
        EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(1);
        }
    }
    if (search.found != nullptr) {
        start.msToWindow = nowMs() - begin;
        Sleep(kSettleMs);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(process.hProcess,
                                 reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof(memory))) {
            // Wine leaves PrivateUsage at 0 for another process; PagefileUsage is the same count.
            start.privateBytes =
                memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
            start.workingSet = memory.WorkingSetSize;
        }
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, kGiveUpMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return start;
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

struct Series {
    std::vector<double> ms;
    std::vector<SIZE_T> privateBytes;
    std::vector<SIZE_T> workingSet;
    int failed = 0;

    void add(const Start& start) {
        if (start.msToWindow < 0) {
            ++failed;
            return;
        }
        ms.push_back(start.msToWindow);
        privateBytes.push_back(start.privateBytes);
        workingSet.push_back(start.workingSet);
    }
};

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

long long fileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double kib(SIZE_T bytes) {
    return static_cast<double>(bytes) / 1024.0;
}

struct Program {
    const char* name;
    std::wstring exe;
    std::wstring directory;
    Series series;
};

void printProgram(const Program& program) {
    std::printf("%-30s %10.1f %14.0f %14.0f\n", program.name, median(program.series.ms),
                kib(median(program.series.privateBytes)), kib(median(program.series.workingSet)));
}

void printAgainst(const Program& kavo, const Program& floor) {
    const double floorMs = median(floor.series.ms);
    std::printf("against the %s: %.2f times as long, %+.0f KiB private, %+.0f KiB working set\n",
                floor.name, floorMs > 0 ? median(kavo.series.ms) / floorMs : 0.0,
                kib(median(kavo.series.privateBytes)) - kib(median(floor.series.privateBytes)),
                kib(median(kavo.series.workingSet)) - kib(median(floor.series.workingSet)));
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    kavo::testing::TempDirectory kavoData;
    writeDataFiles(kavoData, numberedEntries(kEntries), lockedSettings());
    kavo::testing::TempDirectory floorData;
    std::vector<Program> programs{
        {"KAVO.exe, 1000 entries", kavoExePath(), kavoData.path(), {}},
        {"list view of 1000 rows",
         besideThisProgram(L"kavo_list_window.exe"),
         floorData.path(),
         {}},
        {"bare window", besideThisProgram(L"kavo_bare_window.exe"), floorData.path(), {}}};

    // One start of each first, so none pays for loading the system libraries from the disk.
    for (const Program& program : programs) {
        startOnce(program.exe, program.directory);
    }
    // Taking turns, each first in every third round, evens out what the machine does meanwhile.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t turn = 0; turn < programs.size(); ++turn) {
            Program& program = programs[(static_cast<std::size_t>(run) + turn) % programs.size()];
            program.series.add(startOnce(program.exe, program.directory));
        }
    }

    int lost = 0;
    for (const Program& program : programs) {
        lost += program.series.failed;
    }
    std::printf("kavo_startup_bench: start to first visible window, %d starts each in turn "
                "(%d lost); memory once the window is up\n",
                runs, lost);
    std::printf("%-30s %10s %14s %14s\n", "", "median ms", "private KiB", "working KiB");
    for (const Program& program : programs) {
        printProgram(program);
    }
    printAgainst(programs[0], programs[2]);
    printAgainst(programs[0], programs[1]);
    std::printf("KAVO.exe: %lld bytes\n", fileBytes(programs[0].exe));
    return lost == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
