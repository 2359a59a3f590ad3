// Times the CSV import up to its preview box, the part that runs on the window's thread: the
// whole file read, planned and the preview text made, for files of the largest size KAVO
// accepts. Beside each time, the most heap memory the step held at once, counted by this
// program's own operator new, and that peak as a multiple of the file's size.
//
//   kavo_import_bench [RUNS]     (default 5; each time is the median, in milliseconds)

#include "bench/clock_win.h"
#include "store/csv_import.h"
#include "store/ansi_codec_win.h"
#include "store/data_files_win.h"
#include "tests/support/temp_directory.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* allocate(std::size_t size) {
    // The size goes in front of the block, so delete knows what it gives back.
    constexpr std::size_t kHeader = alignof(std::max_align_t);
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

void release(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    constexpr std::size_t kHeader = alignof(std::max_align_t);
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    release(pointer);
}

namespace kavo {
namespace {

constexpr int kDefaultRuns = 5;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

struct Case {
    const char* name;
    std::string bytes;
};

// A header, then the filler repeated up to the largest size read.
std::string filledFile(const std::string& filler) {
    std::string file = "title,id,password\r\n";
    while (file.size() + filler.size() <= kMaxCsvFileBytes) {
        file += filler;
    }
    return file;
}

std::vector<Case> cases() {
    std::vector<Case> all;
    all.push_back({"line breaks only", filledFile("\n")});
    all.push_back({"commas only (one record)", filledFile(",")});
    all.push_back({"log-ins of 30 bytes", filledFile("Some site title,user@mail,pw1\r\n")});
    // Shift_JIS (no UTF-8): the code page reads it.
    all.push_back(
        {"log-ins in the code page", filledFile("\x83\x54\x83\x43\x83\x67,user,pw1\r\n")});
    std::string quoted = "title,id,password\r\n\"";
    quoted.append(kMaxCsvFileBytes - quoted.size() - 3, 'x');
    quoted += "\"\r\n";
    all.push_back({"one quoted field", quoted});
    // Four rows with no password, each a 4 MiB title: all four named in the preview.
    all.push_back(
        {"4 MiB titles left out", filledFile(std::string(4 * 1024 * 1024 - 8, 't') + ",id,\r\n")});
    return all;
}

struct Figures {
    double milliseconds = 0;
    std::size_t peakBytes = 0;
    std::size_t previewUnits = 0;
};

Figures importOnce(const std::wstring& path, const AnsiCodec& codec) {
    Figures figures;
    const std::size_t before = liveBytes.load();
    peakBytes = before;
    const double start = nowMs();
    {
        const FileRead read = readWholeFile(path, kMaxCsvFileBytes);
        const ImportReading reading = planImport(read.bytes, kMaxRows, codec);
        figures.previewUnits = importPreviewText(reading.plan, u"bench.csv").size();
    }
    figures.milliseconds = nowMs() - start;
    figures.peakBytes = peakBytes.load() - before;
    return figures;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

int run(int runs) {
    const testing::TempDirectory folder;
    const ThreadAnsiCodec codec;
    std::printf("CSV import up to the preview, %d runs each (median time; heap peak)\n", runs);
    std::printf("%-28s %8s %10s %11s %8s %10s\n", "file", "MB", "ms", "peak MB", "x size",
                "preview");
    for (const Case& c : cases()) {
        const std::wstring path = folder.file(L"bench.csv");
        writeFile(path, c.bytes);
        std::vector<double> times;
        Figures last;
        for (int i = 0; i < runs; ++i) {
            last = importOnce(path, codec);
            times.push_back(last.milliseconds);
        }
        std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
        const double size = static_cast<double>(c.bytes.size());
        std::printf("%-28s %8.1f %10.1f %11.1f %8.1f %10zu\n", c.name, size / kBytesPerMegabyte,
                    times[static_cast<std::size_t>(runs / 2)],
                    static_cast<double>(last.peakBytes) / kBytesPerMegabyte,
                    static_cast<double>(last.peakBytes) / size, last.previewUnits);
        DeleteFileW(path.c_str());
    }
    return 0;
}

} // namespace
} // namespace kavo

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kavo::kDefaultRuns;
    return kavo::run(runs);
}
