// Answers the message boxes this process shows, from a thread of its own, and remembers what each
// one said. Lets a test go down the paths that stop on a modal box (a failed file operation, the
// exit prompt) without anyone at the keyboard.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kavo::testing {

class MessageBoxAnswerer {
  public:
    struct Box {
        std::wstring caption;
        std::wstring text;
        HWND owner = nullptr;
    };

    // The boxes are answered in order with these button ids; any box after them gets IDOK.
    explicit MessageBoxAnswerer(std::vector<int> answers = {}) : answers_(std::move(answers)) {
        worker_ = std::thread([this] { run(); });
    }
    ~MessageBoxAnswerer() {
        stop_ = true;
        worker_.join();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Every box answered so far; a box is recorded before it is answered.
    std::vector<Box> boxes() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }

  private:
    static constexpr DWORD kPollMs = 5;
    static constexpr int kTextCapacity = 512;
    static constexpr wchar_t kDialogClass[] = L"#32770";

    static std::wstring windowText(HWND window) {
        wchar_t buffer[kTextCapacity] = {};
        GetWindowTextW(window, buffer, kTextCapacity);
        return buffer;
    }

    // The message is the text of the box's static controls; the icon's static has none.
    static BOOL CALLBACK collectStaticText(HWND child, LPARAM out) {
        wchar_t className[kTextCapacity] = {};
        GetClassNameW(child, className, kTextCapacity);
        if (lstrcmpiW(className, L"Static") == 0) {
            *reinterpret_cast<std::wstring*>(out) += windowText(child);
        }
        return TRUE;
    }

    // A box of this process that has finished setting itself up (it shows itself after that).
    static HWND findOwnBox() {
        for (HWND box = FindWindowExW(nullptr, nullptr, kDialogClass, nullptr); box != nullptr;
             box = FindWindowExW(nullptr, box, kDialogClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
                return box;
            }
        }
        return nullptr;
    }

    void run() {
        while (!stop_) {
            const HWND box = findOwnBox();
            if (box == nullptr) {
                Sleep(kPollMs);
                continue;
            }
            Box seen{windowText(box), std::wstring(), GetWindow(box, GW_OWNER)};
            EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&seen.text));
            int answer = IDOK;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (boxes_.size() < answers_.size()) {
                    answer = answers_[boxes_.size()];
                }
                boxes_.push_back(std::move(seen));
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, 0), 0);
            // One answer per box: wait until it is gone before looking for the next one.
            while (!stop_ && IsWindow(box)) {
                Sleep(kPollMs);
            }
        }
    }

    const std::vector<int> answers_;
    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

} // namespace kavo::testing
