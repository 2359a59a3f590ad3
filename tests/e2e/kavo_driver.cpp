#include "tests/e2e/kavo_driver.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace kavo::e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kStartTimeoutMs = 15000;
// The static text control of a standard message box.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kSettleTimeoutMs = 10000;
// Long enough for a test to read and answer the prompt KAVO shows meanwhile.
constexpr UINT kSessionAnswerTimeoutMs = 30000;
// Flips the low bit of each colour channel: a background nobody would notice for a moment.
constexpr COLORREF kSettleColourFlip = 0x010101;

std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

struct Search {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title; // any title when null
    bool visibleOnly;
    HWND found;
    HWND owner = nullptr; // any owner when null
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && className(window) == search->className &&
        (search->title == nullptr || windowText(window) == search->title) &&
        (!search->visibleOnly || IsWindowVisible(window)) &&
        (search->owner == nullptr || GetWindow(window, GW_OWNER) == search->owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findTopLevel(DWORD processId, const wchar_t* windowClass, bool visibleOnly,
                  const wchar_t* title = nullptr) {
    Search search{processId, windowClass, title, visibleOnly, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM param) {
    auto* text = reinterpret_cast<std::wstring*>(param);
    if (text->empty() && _wcsicmp(className(child).c_str(), L"Static") == 0) {
        *text = windowText(child);
    }
    return TRUE;
}

} // namespace

std::wstring kavoExePath() {
    const char* raw = std::getenv("KAVO_EXE");
    std::string path = raw != nullptr ? raw : "KAVO.exe";
    if (!path.empty() && path[0] == '/') {
        // Wine maps the Unix root to drive Z:.
        path = "Z:" + path;
    }
    std::wstring wide(path.begin(), path.end());
    for (auto& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

Kavo::Kavo(const std::wstring& dataDirectory, WORD showCommand) {
    std::wstring exe = kavoExePath();
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (showCommand != SW_SHOWDEFAULT) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = showCommand;
    }
    // A machine busy with other Wine programs can refuse one start for a moment: try once more.
    constexpr int kStartAttempts = 2;
    constexpr DWORD kPauseBeforeRetryMs = 1000;
    DWORD error = 0;
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           dataDirectory.c_str(), &startup, &process_)) {
            return;
        }
        error = GetLastError();
        Sleep(kPauseBeforeRetryMs);
    }
    // Everything after this would fail only because KAVO is not there: end the test here.
    ADD_FAILURE() << "cannot start KAVO.exe, error " << error;
    throw std::runtime_error("KAVO.exe did not start");
}

Kavo::~Kavo() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

HWND Kavo::window() {
    for (DWORD waited = 0; window_ == nullptr && waited < kStartTimeoutMs; waited += kPollMs) {
        window_ = findTopLevel(process_.dwProcessId, L"Main Window", false);
        if (window_ == nullptr) {
            Sleep(kPollMs);
        }
    }
    EXPECT_NE(window_, nullptr) << "KAVO's main window did not appear";
    return window_;
}

HWND Kavo::shownWindow() {
    HWND main = window();
    for (DWORD waited = 0; main != nullptr && !IsWindowVisible(main) && waited < kStartTimeoutMs;
         waited += kPollMs) {
        Sleep(kPollMs);
    }
    EXPECT_TRUE(main != nullptr && IsWindowVisible(main)) << "KAVO's main window is not shown";
    return main;
}

HWND Kavo::listView() {
    return GetDlgItem(window(), IDC_LIST_VIEW);
}

HWND Kavo::waitForWindow(const wchar_t* windowClass, DWORD timeoutMs, const wchar_t* title) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
        if (HWND found = findTopLevel(process_.dwProcessId, windowClass, true, title)) {
            return found;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

HWND Kavo::waitForMessageBox(DWORD timeoutMs) {
    return waitForWindow(L"#32770", timeoutMs);
}

HWND Kavo::waitForOwnedBy(HWND owner, DWORD timeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
        Search search{process_.dwProcessId, L"#32770", nullptr, true, nullptr, owner};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

void Kavo::command(int commandId) {
    PostMessageW(window(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
    settle();
}

void Kavo::settle() {
    // Posted messages of one thread are handled in order, so once a change posted to the list
    // view now has arrived, everything posted before it has been handled too. A message box
    // opened by an earlier message keeps handling posted messages in its own loop.
    HWND list = listView();
    DWORD_PTR original = 0;
    if (list == nullptr || !SendMessageTimeoutW(list, LVM_GETBKCOLOR, 0, 0, SMTO_ABORTIFHUNG,
                                                kSettleTimeoutMs, &original)) {
        return;
    }
    const COLORREF marker = static_cast<COLORREF>(original) ^ kSettleColourFlip;
    if (!PostMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(marker))) {
        return;
    }
    for (DWORD waited = 0; waited < kSettleTimeoutMs; waited += kPollMs) {
        DWORD_PTR now = 0;
        if (!IsWindow(list) || !SendMessageTimeoutW(list, LVM_GETBKCOLOR, 0, 0, SMTO_ABORTIFHUNG,
                                                    kSettleTimeoutMs, &now)) {
            return;
        }
        if (now == marker) {
            SendMessageTimeoutW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(original),
                                SMTO_ABORTIFHUNG, kSettleTimeoutMs, nullptr);
            return;
        }
        Sleep(kPollMs);
    }
    ADD_FAILURE() << "KAVO did not handle its posted messages in time";
}

bool Kavo::inMenuMode() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(process_.dwThreadId, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

bool Kavo::isRunning() {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

MessageBoxText Kavo::answer(HWND box, int button) {
    MessageBoxText text = readMessageBox(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    for (DWORD waited = 0; IsWindow(box) && waited < 5000; waited += kPollMs) {
        Sleep(kPollMs);
    }
    return text;
}

MessageBoxText Kavo::answerNext(int button) {
    HWND box = waitForMessageBox();
    EXPECT_NE(box, nullptr) << "no message box appeared";
    return box != nullptr ? answer(box, button) : MessageBoxText{};
}

std::wstring Kavo::title() {
    return windowText(window());
}

RECT Kavo::rect() {
    RECT r{};
    GetWindowRect(window(), &r);
    return r;
}

void Kavo::close() {
    PostMessageW(window(), WM_CLOSE, 0, 0);
}

bool Kavo::waitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::future<LRESULT> Kavo::askToEndSession(LPARAM reasons) {
    HWND main = window();
    return std::async(std::launch::async, [main, reasons] {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, reasons, SMTO_NORMAL,
                            kSessionAnswerTimeoutMs, &answer);
        return static_cast<LRESULT>(answer);
    });
}

void Kavo::endSession() {
    SendMessageTimeoutW(window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                        kSessionAnswerTimeoutMs, nullptr);
}

void Kavo::endAbruptly() {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
}

bool Kavo::endsWithoutAsking() {
    close();
    for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
        if (waitForExit(0)) {
            return true;
        }
        if (HWND box = findTopLevel(process_.dwProcessId, L"#32770", true)) {
            const MessageBoxText text = readMessageBox(box);
            ADD_FAILURE() << "closing asked: " << ::testing::PrintToString(text.text);
            return false;
        }
        Sleep(kPollMs);
    }
    return false;
}

DWORD Kavo::exitCode() {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

MessageBoxText readMessageBox(HWND box) {
    MessageBoxText text{windowText(box), {}};
    if (HWND label = GetDlgItem(box, kMessageBoxTextId)) {
        text.text = windowText(label);
    } else {
        EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&text.text));
    }
    return text;
}

std::u16string clipboardText() {
    std::u16string text = u"<none>";
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(kPollMs);
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void setClipboardText(const std::u16string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(char16_t));
    GlobalUnlock(block);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

} // namespace kavo::e2e

namespace kavo::e2e {

ClipboardHolder::ClipboardHolder(DWORD holdMs) {
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, holdMs, opened] {
        while (!OpenClipboard(nullptr)) {
            Sleep(kPollMs);
        }
        heldText_ = u"<none>";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            heldText_ = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        SetEvent(opened);
        Sleep(holdMs);
        CloseClipboard();
        released_ = true;
    });
    WaitForSingleObject(opened, INFINITE);
    CloseHandle(opened);
}

ClipboardHolder::~ClipboardHolder() {
    waitForRelease();
}

void ClipboardHolder::waitForRelease() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace kavo::e2e
