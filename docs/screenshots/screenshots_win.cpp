// Takes the pictures of KAVO's windows that the manual and the README show. The real KAVO.exe
// is started on prepared entries and driven from outside with the end-to-end harness, as a user
// would drive it. Each case saves one picture, <name>.pam, into the folder KAVO_SCREENSHOTS
// names; scripts/screenshots turns them into docs/<name>.png. A window this KAVO.exe does not
// have yet is skipped with a note, so the script works whichever dialogs exist.
#include "resources/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/input_driver.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/list_driver.h"
#include "tests/e2e/menu_driver.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/e2e/tray_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr DWORD kPollMs = 20;
constexpr DWORD kStepTimeoutMs = 5000;
// How long a window this KAVO.exe may not have yet is waited for.
constexpr DWORD kOptionalWindowMs = 3000;
// Time for the last repaints (the unlock dialog draws its dots outside painting).
constexpr DWORD kPaintMs = 400;
constexpr std::u16string_view kShownMasterPassword = u"kavo-2024";

// What a user of KAVO keeps: one entry of every type, Japanese titles.
const std::vector<Entry> kEntries = {
    {u"メール (Webmail)", u"W", u"taro.yamada@example.jp", u"Mail-2580"},
    {u"ネットバンク", u"V", u"12345678", u"Bank#7731"},
    {u"社内ポータル", u"T", u"t-yamada", u"Portal-7788"},
    {u"ショッピング", u"B", u"yamada_taro", u"Shop-4412"},
    {u"Wi-Fi ルーター", u"B", u"admin", u"Router-9090"},
};
constexpr int kBankRow = 1;
constexpr int kPortalRow = 2;
constexpr int kShoppingRow = 3;

std::wstring screenshotFolder() {
    const char* raw = std::getenv("KAVO_SCREENSHOTS");
    std::string path = raw != nullptr ? raw : ".";
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path; // Wine maps the Unix root to drive Z:
    }
    std::wstring wide(path.begin(), path.end());
    for (auto& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

struct WindowsOf {
    DWORD processId;
    std::vector<RECT> rects;
};

BOOL CALLBACK collectShownWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowsOf*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT rect{};
    if (owner == search->processId && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
        rect.right > rect.left && rect.bottom > rect.top) {
        search->rects.push_back(rect);
    }
    return TRUE;
}

// The screen's pixels inside the rectangles, cut to the smallest rectangle around them; what
// lies between them is left transparent. Written as PAM (RGB with alpha), which needs no
// library and which ImageMagick reads.
bool saveScreenPart(const std::vector<RECT>& rects, const std::wstring& file) {
    RECT bounds = rects.front();
    for (const RECT& rect : rects) {
        UnionRect(&bounds, &bounds, &rect);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&bounds, &bounds, &screen);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        BitBlt(memory, 0, 0, width, height, screenDc, bounds.left, bounds.top, SRCCOPY) != FALSE;
    std::vector<unsigned char> pam;
    if (copied) {
        const std::string header = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " +
                                   std::to_string(height) +
                                   "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
        pam.assign(header.begin(), header.end());
        const auto* bgrx = static_cast<const unsigned char*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned char* pixel = bgrx + (static_cast<std::size_t>(y) * width + x) * 4;
                const POINT point{bounds.left + x, bounds.top + y};
                bool inside = false;
                for (const RECT& rect : rects) {
                    inside = inside || PtInRect(&rect, point);
                }
                pam.insert(pam.end(), {pixel[2], pixel[1], pixel[0],
                                       static_cast<unsigned char>(inside ? 255 : 0)});
            }
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);
    if (!copied) {
        return false;
    }
    FILE* out = _wfopen(file.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(pam.data(), 1, pam.size(), out) == pam.size();
    return std::fclose(out) == 0 && written;
}

class Screenshots : public ::testing::Test {
  protected:
    // Entries in the middle of the screen, so that dialogs and message boxes, which the
    // system centres, fall on or beside the window.
    static SettingsRecord settings(bool passMode) {
        SettingsRecord record = passMode ? passModeSettings() : lockedSettings();
        record.windowWidth = 360;
        record.windowHeight = 420;
        // The settings file counts in pixels at 100%; the screen is larger at a higher scale.
        const HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        record.windowX = (MulDiv(GetSystemMetrics(SM_CXSCREEN), 96, dpi) - record.windowWidth) / 2;
        record.windowY = (MulDiv(GetSystemMetrics(SM_CYSCREEN), 96, dpi) - record.windowHeight) / 2;
        record.columnWidthName = 110;
        record.columnWidthType = 30;
        record.columnWidthId = 100;
        record.columnWidthPw = 90;
        return record;
    }

    void start(const SettingsRecord& record) {
        writeDataFiles(dir_, kEntries, record);
        dir_.write(L"pw_set2.dat", passwordFileFor(kShownMasterPassword, kEntries));
        // The pointer out of the way: no hover marks and no tooltips in the pictures.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        kavo_ = std::make_unique<Kavo>(dir_.path());
        kavo_->shownWindow();
        list_ = std::make_unique<ListDriver>(*kavo_);
        kavo_->settle();
    }

    // Saves every shown window of KAVO, and the extra windows, as one picture.
    void shoot(const char* name, const std::vector<HWND>& extra = {}) {
        kavo_->settle();
        pumpMessages(kPaintMs);
        WindowsOf shown{GetProcessId(kavo_->process()), {}};
        EnumWindows(collectShownWindow, reinterpret_cast<LPARAM>(&shown));
        for (HWND window : extra) {
            RECT rect{};
            if (IsWindowVisible(window) && GetWindowRect(window, &rect)) {
                shown.rects.push_back(rect);
            }
        }
        ASSERT_FALSE(shown.rects.empty()) << name << ": no window to take";
        const std::string ascii(name);
        const std::wstring file =
            screenshotFolder() + L"\\" + std::wstring(ascii.begin(), ascii.end()) + L".pam";
        EXPECT_TRUE(saveScreenPart(shown.rects, file)) << "cannot save " << name;
    }

    // A real click on the row: the list takes the focus and shows the row selected, as after a
    // user's click. The pointer goes out of the way again.
    void clickRow(int row, MouseButton button) {
        const POINT point = list_->rowPoint(row);
        clickAt(point.x, point.y, button);
        pumpMessages(100);
        kavo_->settle();
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    bool titleBecomes(const std::wstring& title) {
        for (DWORD waited = 0; waited < kStepTimeoutMs; waited += kPollMs) {
            if (kavo_->title() == title) {
                return true;
            }
            Sleep(kPollMs);
        }
        return false;
    }

    // The dialog a command opens, or nullptr when this KAVO.exe opens none in time.
    HWND dialogOf(int command, DWORD timeoutMs = kStepTimeoutMs) {
        kavo_->command(command);
        return kavo_->waitForOwnedBy(kavo_->window(), timeoutMs);
    }

    static void closeDialog(HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }

    TempDirectory dir_;
    std::unique_ptr<Kavo> kavo_;
    std::unique_ptr<ListDriver> list_;
};

// The very first start: no data files yet, so KAVO says twice that it cannot open one.
TEST_F(Screenshots, FirstStartWithoutDataFiles) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    kavo_ = std::make_unique<Kavo>(dir_.path());
    HWND box = kavo_->waitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message at the first start";
    ASSERT_EQ(readMessageBox(box).text, L"ﾌｧｲﾙが開けません");
    shoot("first-start-file-error");
    kavo_->answer(box, IDOK);
    kavo_->answerNext(IDOK);
    kavo_->shownWindow();
}

TEST_F(Screenshots, MainWindowLocked) {
    start(settings(false));
    ASSERT_EQ(kavo_->title(), L"KAVO  (LocK)");
    shoot("main-window-list");
}

TEST_F(Screenshots, EditMenuWhileLocked) {
    start(settings(false));
    MenuPopup menu(*kavo_, L'e');
    shoot("edit-menu-locked");
}

TEST_F(Screenshots, IdPhaseThenPasswordPhase) {
    start(settings(false));
    clickRow(kBankRow, MouseButton::Left);
    kavo_->command(IDC_TB_ID);
    ASSERT_TRUE(titleBecomes(L"KAVO   (ID)"));
    shoot("sequence-id-phase");
    kavo_->command(IDC_TB_PW);
    ASSERT_TRUE(titleBecomes(L"KAVO   (PW)"));
    shoot("sequence-pw-phase");
}

TEST_F(Screenshots, UnlockDialogWithDots) {
    start(settings(false));
    HWND dialog = dialogOf(IDC_CMD_UNLOCK);
    ASSERT_NE(dialog, nullptr) << "no unlock dialog";
    typeText(L"kavo2024"); // eight letters and digits: eight dots
    shoot("unlock-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, ProtectionDialog) {
    start(settings(true));
    HWND dialog = dialogOf(IDC_CMD_PROTECTION);
    ASSERT_NE(dialog, nullptr) << "no protection dialog";
    shoot("protection-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, ChangePasswordDialog) {
    start(settings(true));
    HWND dialog = dialogOf(IDC_CMD_CHANGE_PASSWORD);
    ASSERT_NE(dialog, nullptr) << "no change-password dialog";
    shoot("change-password-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, EntryEditDialog) {
    start(settings(true));
    clickRow(kPortalRow, MouseButton::Left);
    HWND dialog = dialogOf(IDC_CMD_EDIT);
    ASSERT_NE(dialog, nullptr) << "no entry edit dialog";
    shoot("entry-edit-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, BulkTypeDialog) {
    start(settings(true));
    HWND dialog = dialogOf(IDC_CMD_BULK_TYPE);
    ASSERT_NE(dialog, nullptr) << "no bulk type dialog";
    shoot("bulk-type-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, CopyWindowOnRightClick) {
    SettingsRecord record = settings(false);
    record.copyMethod = CopyMethod::SmallWindow; // the small window with ID and PassWard
    start(record);
    clickRow(kBankRow, MouseButton::Left);
    clickRow(kBankRow, MouseButton::Right);
    HWND copyWindow = kavo_->waitForWindow(L"#32770", kStepTimeoutMs);
    ASSERT_NE(copyWindow, nullptr) << "no copy window";
    shoot("copy-window");
    closeDialog(copyWindow);
}

TEST_F(Screenshots, SettingsDialog) {
    start(settings(false));
    HWND dialog = dialogOf(IDC_CMD_SETTINGS, kOptionalWindowMs);
    if (dialog == nullptr) {
        GTEST_SKIP() << "this KAVO.exe has no settings dialog yet";
    }
    shoot("settings-dialog");
    closeDialog(dialog);
}

TEST_F(Screenshots, AboutBox) {
    start(settings(false));
    kavo_->command(IDC_CMD_VERSION);
    HWND about = kavo_->waitForWindow(L"#32770", kOptionalWindowMs, L"このソフトについて");
    if (about == nullptr) {
        GTEST_SKIP() << "this KAVO.exe has no About box yet";
    }
    shoot("about-box");
    closeDialog(about);
}

TEST_F(Screenshots, ClipboardHeldDuringASequence) {
    SettingsRecord record = settings(false);
    record.pwTimeMs = 10000; // the password stays out while the clipboard is held
    start(record);
    clickRow(kShoppingRow, MouseButton::Left);
    kavo_->command(IDC_TB_PW);
    ASSERT_TRUE(titleBecomes(L"KAVO   (PW)"));
    ClipboardHolder holder(6000); // KAVO speaks up after about three seconds
    clickRow(kPortalRow, MouseButton::Left);
    kavo_->command(IDC_TB_ID);
    HWND notice = kavo_->waitForMessageBox(5500);
    ASSERT_NE(notice, nullptr) << "no notice of the held clipboard";
    shoot("held-clipboard-notice");
    holder.waitForRelease();
    kavo_->answer(notice, IDOK);
}

TEST_F(Screenshots, ClipboardHeldAtExit) {
    start(settings(false));
    list_->selectRows({kShoppingRow});
    kavo_->command(IDC_TB_PW);
    ASSERT_TRUE(titleBecomes(L"KAVO   (PW)"));
    ClipboardHolder holder(3500); // longer than KAVO waits to leave "pw-End"
    kavo_->close();
    HWND notice = kavo_->waitForMessageBox(4000);
    ASSERT_NE(notice, nullptr) << "no notice at exit";
    shoot("exit-clipboard-notice");
    holder.waitForRelease();
    kavo_->answer(notice, IDOK);
}

// Find while locked: a few letters of an ID typed, then F3 to the next entry that holds them.
TEST_F(Screenshots, FindBox) {
    start(settings(false));
    kavo_->command(IDC_CMD_FIND);
    HWND box = kavo_->waitForWindow(L"#32770", kStepTimeoutMs, L"検索");
    ASSERT_NE(box, nullptr) << "no find box";
    typeText(L"yamada");
    pressKey(VK_F3);
    shoot("find-box");
    PostMessageW(box, WM_COMMAND, IDC_FIND_CLOSE, 0);
}

// A browser's password export brought in: the preview before anything is added.
TEST_F(Screenshots, CsvImportPreview) {
    start(settings(true));
    const std::string csv = "name,url,username,password\r\n"
                            "Mail,https://mail.example.jp/,taro@example.jp,Mail-2024\r\n"
                            ",https://shop.example.jp/login,taro,Shop-5566\r\n"
                            "Bank,,,\r\n"
                            "News,https://news.example.jp/,taro,\xF0\x9F\x98\x80-1\r\n";
    dir_.write(L"passwords.csv", Bytes(csv.begin(), csv.end()));
    kavo_->command(IDC_CMD_IMPORT);
    DialogDriver(*kavo_, nullptr).chooseFile(dir_.file(L"passwords.csv"));
    HWND box = kavo_->waitForMessageBox();
    ASSERT_NE(box, nullptr) << "no import preview";
    shoot("import-preview");
    kavo_->answer(box, IDCANCEL);
}

// A file without a header row, separated by semicolons: the column picker at its guess.
TEST_F(Screenshots, CsvColumnPicker) {
    start(settings(true));
    const std::string csv = "Mail;https://mail.example.jp/;taro@example.jp;Xk3!pq9Lz-2024\r\n"
                            "Shop;https://shop.example.jp/login;taro;Bq7$rT2mWn\r\n"
                            "News;news.example.jp;taro.y;9fj#KLq2zz\r\n";
    dir_.write(L"export.csv", Bytes(csv.begin(), csv.end()));
    kavo_->command(IDC_CMD_IMPORT);
    DialogDriver(*kavo_, nullptr).chooseFile(dir_.file(L"export.csv"));
    HWND picker = kavo_->waitForWindow(L"#32770", kStepTimeoutMs, L"読み込む列の選択");
    ASSERT_NE(picker, nullptr) << "no column picker";
    shoot("csv-column-picker");
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
}

// The other PC's copy of the folder brought back in: two new entries, one with a new password.
TEST_F(Screenshots, MergePreview) {
    start(settings(true));
    std::vector<Entry> theirs = kEntries;
    theirs[kBankRow].password = u"Bank#9920";
    theirs.push_back({u"オンライン英会話", u"T", u"taro.y", u"Talk-3141"});
    theirs.push_back({u"図書館", u"B", u"0012345", u"Books-2718"});
    CreateDirectoryW(dir_.file(L"OneDrive").c_str(), nullptr);
    dir_.write(L"OneDrive\\pw_set1-NOTE-PC.dat", listFileFor(theirs));
    dir_.write(L"OneDrive\\pw_set2-NOTE-PC.dat", passwordFileFor(kShownMasterPassword, theirs));
    kavo_->command(IDC_CMD_MERGE);
    DialogDriver(*kavo_, nullptr).chooseFile(dir_.file(L"OneDrive\\pw_set1-NOTE-PC.dat"));
    HWND preview =
        kavo_->waitForWindow(L"#32770", kStepTimeoutMs, L"ほかの KAVO データから取り込み");
    ASSERT_NE(preview, nullptr) << "no merge preview";
    shoot("merge-preview");
    closeDialog(preview);
}

TEST_F(Screenshots, CsvExportWarning) {
    start(settings(true));
    kavo_->command(IDC_CMD_EXPORT);
    HWND box = kavo_->waitForMessageBox();
    ASSERT_NE(box, nullptr) << "no export warning";
    shoot("export-warning");
    kavo_->answer(box, IDCANCEL);
}

// Last: a tray icon can outlive its program for a moment under Wine.
TEST_F(Screenshots, TrayIconAndItsMenu) {
    start(settings(false));
    TrayIconWatch icon;
    kavo_->command(IDC_CMD_TO_TRAY);
    if (!icon.appears()) {
        GTEST_SKIP() << "this KAVO.exe does not go to the tray yet";
    }
    // Only the menu: the notification area it opens from looks nothing like Windows' here.
    icon.click(MouseButton::Right);
    HWND menu = kavo_->waitForWindow(L"#32768", kStepTimeoutMs);
    ASSERT_NE(menu, nullptr) << "no tray menu";
    shoot("tray-menu");
    PostMessageW(kavo_->window(), WM_CANCELMODE, 0, 0);
    kavo_->command(IDC_CMD_FROM_TRAY);
}

} // namespace
} // namespace kavo::e2e
