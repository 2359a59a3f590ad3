// Drives the real KAVO.exe from outside, as a user would: start it in a data directory, find
// its windows, give it commands, answer its message boxes, read its title, rectangle and the
// clipboard.
#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace kavo::e2e {

// KAVO.exe as named by the KAVO_EXE environment variable (a Unix path under Wine works too).
std::wstring kavoExePath();

struct MessageBoxText {
    std::wstring caption;
    std::wstring text;
};

class Kavo {
  public:
    // Starts KAVO.exe with the data directory as its current directory, shown as a shortcut's
    // "Run" setting asks (SW_SHOWMINNOACTIVE for "Minimized").
    explicit Kavo(const std::wstring& dataDirectory, WORD showCommand = SW_SHOWDEFAULT);
    ~Kavo();
    Kavo(const Kavo&) = delete;
    Kavo& operator=(const Kavo&) = delete;

    // The main window once it exists (visible or not); fails the test after a timeout.
    HWND window();
    // Waits until the main window is visible.
    HWND shownWindow();
    // The list view that shows the entries.
    HWND listView();
    HANDLE process() const { return process_.hProcess; }

    // A visible top-level window of this process with the class (and the title, when one is
    // given), or nullptr after the timeout.
    HWND waitForWindow(const wchar_t* windowClass, DWORD timeoutMs, const wchar_t* title = nullptr);
    // The next message box of this process, or nullptr after the timeout.
    HWND waitForMessageBox(DWORD timeoutMs = 5000);
    // A visible dialog or message box that the window owns: a dialog of the main window, or a
    // dialog's own message. nullptr after the timeout.
    HWND waitForOwnedBy(HWND owner, DWORD timeoutMs = 5000);
    // Reads a message box, then presses one of its buttons (IDOK, IDYES, IDNO, IDCANCEL).
    MessageBoxText answer(HWND box, int button);
    // Waits for a message box, checks nothing, answers it and returns its texts.
    MessageBoxText answerNext(int button);

    // Posts a menu, toolbar or tray command, as choosing it does, and returns once KAVO has
    // handled it (or is showing a message box from it).
    void command(int commandId);
    // Returns once KAVO has handled every message posted to it so far, or its window is gone.
    void settle();
    // True while KAVO's window thread is tracking a menu.
    bool inMenuMode();
    bool isRunning();

    std::wstring title();
    RECT rect();
    // Asks the window to close, as its close box does.
    void close();
    bool waitForExit(DWORD timeoutMs = 10000);
    // Windows asks whether the session may end (WM_QUERYENDSESSION, as at log-off, or with
    // ENDSESSION_CRITICAL added); the answer comes once KAVO has decided, so a test can answer
    // KAVO's prompt meanwhile.
    std::future<LRESULT> askToEndSession(LPARAM reasons = ENDSESSION_LOGOFF);
    // Windows ends the session (WM_ENDSESSION); returns once KAVO has handled it.
    void endSession();
    // Windows ends the program whatever it is doing, as it does a few seconds into a prompt at
    // log-off; returns once it has ended.
    void endAbruptly();
    // Closes the window; true when the program then ends without showing any message box.
    bool endsWithoutAsking();
    DWORD exitCode();

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

MessageBoxText readMessageBox(HWND box);
// CF_UNICODETEXT on the clipboard, or "<none>".
std::u16string clipboardText();
void setClipboardText(const std::u16string& text);

// Holds the clipboard open from a thread of the test for a while, as any program that reads or
// watches the clipboard can. Constructed once the clipboard is open; the destructor waits for
// the release.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(DWORD holdMs);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    // The text on the clipboard during the hold (nobody can change it meanwhile).
    const std::u16string& heldText() const { return heldText_; }
    bool holding() const { return !released_; }
    void waitForRelease();

  private:
    std::u16string heldText_;
    std::atomic<bool> released_{false};
    std::thread thread_;
};

} // namespace kavo::e2e
