// Times loading, saving and sorting a store of 1000 entries the way KAVO does it (real list view,
// real files, the thread's code page, the two files saved as a pair) next to the least work that
// does the same: for loading, the same 1000 rows put into a bare list view by the plainest calls;
// for all three, the bare bytes (both files read into memory, written back, the titles sorted in
// a plain vector). The ratios are what the program's way costs on top of those floors.
//
//   kavo_store_bench [RUNS]     (default 21; each figure is the median, in microseconds)

#include "app/app_state_win.h"
#include "app/store_files_win.h"
#include "store/decimal_text.h"
#include "store/list_file.h"
#include "tests/support/list_view_window.h"
#include "tests/support/temp_directory.h"
#include "win/wide_text_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kavo {
namespace {

constexpr int kDefaultRuns = 21;
constexpr double kMicrosecondsPerSecond = 1e6;
// A prime: row * step mod 1000 visits every key once, in a scattered order.
constexpr int kScatterStep = 7919;

// Runs each piece of work once per round, in turn, so that whatever else the machine does
// meanwhile falls on all of them alike; the median of each, in microseconds.
std::vector<double> medianMicroseconds(int runs, const std::vector<std::function<void()>>& works) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<std::vector<double>> times(works.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t work = 0; work < works.size(); ++work) {
            LARGE_INTEGER start;
            LARGE_INTEGER end;
            QueryPerformanceCounter(&start);
            works[work]();
            QueryPerformanceCounter(&end);
            times[work].push_back(static_cast<double>(end.QuadPart - start.QuadPart) *
                                  kMicrosecondsPerSecond / static_cast<double>(frequency.QuadPart));
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& series : times) {
        std::nth_element(series.begin(), series.begin() + runs / 2, series.end());
        medians.push_back(series[static_cast<std::size_t>(runs / 2)]);
    }
    return medians;
}

// The whole file in one ReadFile call.
Bytes readWhole(const std::wstring& path) {
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Overwrites the file in place with one WriteFile call.
void writeWhole(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Japanese titles and IDs in an order that sorting has to change; ASCII and katakana passwords.
void fillStore(App& app) {
    const std::u16string types = u"BTVW";
    for (int row = 0; row < kMaxRows; ++row) {
        const std::u16string n = formatInt(row);
        const std::u16string key = formatInt((row * kScatterStep) % kMaxRows);
        app.table->insertEntry(row, Entry{u"口座 " + key + u" 銀行",
                                          EntryType(types[static_cast<std::size_t>(row) % 4]),
                                          u"ユーザー" + n + u"@例.jp",
                                          row % 3 == 0 ? u"パスワード" + n : u"p@ss~ " + n});
    }
    app.store.masterPassword.text = u"マスターPW";
}

void printRow(const char* operation, double kavo, double plain) {
    std::printf("%-6s %12.0f %12.0f %8.1f\n", operation, kavo, plain, kavo / plain);
}

// The rows as a list view shows them, read out of KAVO's loaded table once.
struct PlainRow {
    std::wstring cells[kCellCount];
};

// The plainest way to fill a list view: empty it, then one insert and three cell texts a row,
// with painting held as KAVO holds it.
void fillBareList(HWND list, const std::vector<PlainRow>& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const PlainRow& source = rows[static_cast<std::size_t>(row)];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        item.pszText = const_cast<wchar_t*>(source.cells[0].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int cell = 1; cell < kCellCount; ++cell) {
            LVITEMW text{};
            text.iSubItem = cell;
            text.pszText = const_cast<wchar_t*>(source.cells[cell].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&text));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int run(int runs) {
    const testing::TempDirectory dir;
    const testing::ListViewWindow window;
    if (window.listView() == nullptr) {
        std::fprintf(stderr, "kavo_store_bench: no list view could be created (under Wine, a "
                             "display is needed: set DISPLAY)\n");
        return EXIT_FAILURE;
    }
    App app;
    app.attachWindow(window.window(), window.listView());
    app.dataStore.useFolder(dir.path());
    fillStore(app);
    if (!saveStore(app, app.mainWindow)) {
        std::fprintf(stderr, "kavo_store_bench: the store could not be saved\n");
        return EXIT_FAILURE;
    }
    const std::wstring listPath = dir.file(kListFileName);
    const std::wstring passwordPath = dir.file(kPasswordFileName);

    // The rows as the loaded table shows them, for the bare list view to take.
    loadStore(app, app.mainWindow);
    if (app.table->rowCount() != kMaxRows) {
        std::fprintf(stderr, "kavo_store_bench: the store did not load back whole\n");
        return EXIT_FAILURE;
    }
    std::vector<PlainRow> shown(static_cast<std::size_t>(kMaxRows));
    for (int row = 0; row < kMaxRows; ++row) {
        for (int cell = 0; cell < kCellCount; ++cell) {
            shown[static_cast<std::size_t>(row)].cells[cell] =
                toWide(app.table->cellText(row, cell));
        }
    }
    const testing::ListViewWindow bareWindow;

    Bytes listBytes;
    Bytes passwordBytes;
    const std::vector<double> loads =
        medianMicroseconds(runs, {[&] { loadStore(app, app.mainWindow); },
                                  [&] { fillBareList(bareWindow.listView(), shown); },
                                  [&] {
                                      listBytes = readWhole(listPath);
                                      passwordBytes = readWhole(passwordPath);
                                  }});
    const double load = loads[0];
    const double bareLoad = loads[1];
    const double plainLoad = loads[2];

    const std::vector<double> saves =
        medianMicroseconds(runs, {[&] { saveStore(app, app.mainWindow); },
                                  [&] {
                                      writeWhole(listPath, listBytes);
                                      writeWhole(passwordPath, passwordBytes);
                                  }});
    const double save = saves[0];
    const double plainSave = saves[1];

    // Taken in file order, before the table is sorted, so both sorts start from the same mix.
    std::vector<std::u16string> titles;
    for (int row = 0; row < kMaxRows; ++row) {
        titles.emplace_back(app.table->cellText(row, kCellTitle));
    }
    // Each click flips the direction, so every run reorders the whole table.
    const std::vector<double> sorts =
        medianMicroseconds(runs, {[&] { app.table->sortByColumn(kCellTitle); },
                                  [&] {
                                      std::vector<std::u16string> copy = titles;
                                      std::sort(copy.begin(), copy.end());
                                  }});
    const double sort = sorts[0];
    const double plainSort = sorts[1];

    std::printf("kavo_store_bench: %d entries, median of %d runs, microseconds\n", kMaxRows, runs);
    std::printf("%-6s %12s %12s %8s\n", "", "KAVO", "list view", "ratio");
    printRow("load", load, bareLoad);
    std::printf("%-6s %12s %12s %8s\n", "", "KAVO", "plain", "ratio");
    printRow("load", load, plainLoad);
    printRow("save", save, plainSave);
    printRow("sort", sort, plainSort);
    std::printf("load: files -> password slots and list view rows; list view: the same rows put "
                "into a bare list view; plain: ReadFile of both files\n"
                "save: cells and slots -> new files, flushed, put in place as a pair; "
                "plain: WriteFile of both files in place\n"
                "sort: list view rows and slots reordered by title; plain: std::sort of the "
                "titles in memory\n");
    return EXIT_SUCCESS;
}

} // namespace
} // namespace kavo

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : kavo::kDefaultRuns;
    if (runs < 1) {
        std::fprintf(stderr, "usage: kavo_store_bench [RUNS]\n");
        return EXIT_FAILURE;
    }
    return kavo::run(runs);
}
