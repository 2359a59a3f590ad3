#include "sequencer/keyboard_watch_win.h"

#include "win/owned_handles_win.h"

#include <optional>
#include <vector>

namespace kavo {

namespace {

constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kKeyboardUsage = 6;

// The watch hangs on its window under this name. The win event callbacks are called on the
// thread that set the hooks, the window's thread, and find it among that thread's windows.
constexpr wchar_t kWatchProperty[] = L"KAVO.KeyboardWatch";

BOOL CALLBACK findWatch(HWND window, LPARAM found) noexcept {
    auto* watch = static_cast<KeyboardWatch*>(GetPropW(window, kWatchProperty));
    if (watch == nullptr) {
        return TRUE;
    }
    *reinterpret_cast<KeyboardWatch**>(found) = watch;
    return FALSE;
}

KeyboardWatch* watchOfThisThread() {
    KeyboardWatch* watch = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findWatch, reinterpret_cast<LPARAM>(&watch));
    return watch;
}

void CALLBACK desktopSwitched(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) noexcept {
    if (KeyboardWatch* watch = watchOfThisThread()) {
        watch->onDesktopSwitch();
    }
}

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD,
                                DWORD) noexcept {
    if (KeyboardWatch* watch = watchOfThisThread()) {
        watch->onForeground(window);
    }
}

// The integrity level (the last sub-authority of its label) of the process's token.
std::optional<std::uint32_t> integrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::nullopt;
    }
    const OwnedHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        return std::nullopt;
    }
    PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return std::nullopt;
    }
    return *GetSidSubAuthority(sid, static_cast<DWORD>(count - 1));
}

std::optional<std::uint32_t> windowIntegrity(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const OwnedHandle process(
        processId == 0 ? nullptr
                       : OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process.get() == nullptr ? std::nullopt : integrityLevel(process.get());
}

} // namespace

void KeyboardWatch::start(HWND window, PasteDetector& detector) {
    RAWINPUTDEVICE device{};
    device.usUsagePage = kGenericDesktopPage;
    device.usUsage = kKeyboardUsage;
    device.dwFlags = RIDEV_INPUTSINK;
    device.hwndTarget = window;
    RegisterRawInputDevices(&device, 1, sizeof(device));

    window_ = window;
    detector_ = &detector;
    ownIntegrity_ = integrityLevel(GetCurrentProcess()).value_or(0);
    SetPropW(window, kWatchProperty, this);
    foregroundHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          foregroundChanged, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    desktopSwitchHook_.reset(SetWinEventHook(EVENT_SYSTEM_DESKTOPSWITCH, EVENT_SYSTEM_DESKTOPSWITCH,
                                             nullptr, desktopSwitched, 0, 0,
                                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void KeyboardWatch::stop() {
    desktopSwitchHook_.reset();
    foregroundHook_.reset();
    if (window_ != nullptr) {
        RemovePropW(window_, kWatchProperty);
        window_ = nullptr;
    }
    detector_ = nullptr;
}

void KeyboardWatch::onDesktopSwitch() {
    if (detector_ != nullptr) {
        detector_->forgetCtrl();
    }
}

// The keyboard went to another window: when Windows keeps that window's keys from KAVO, a Ctrl
// release there would go unseen.
void KeyboardWatch::onForeground(HWND window) {
    if (detector_ == nullptr || window == nullptr) {
        return;
    }
    try {
        if (keysMayBeHidden(windowIntegrity(window), ownIntegrity_)) {
            detector_->forgetCtrl();
        }
    } catch (...) {
        // Out of memory for the token: the Ctrl is forgotten rather than trusted.
        detector_->forgetCtrl();
    }
}

void onRawInput(HRAWINPUT input, PasteDetector& detector, ClipboardSequence& sequence) {
    UINT size = 0;
    if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 ||
        size < sizeof(RAWINPUTHEADER)) {
        return;
    }
    std::vector<BYTE> buffer(size);
    if (GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) !=
        buffer.size()) {
        return;
    }
    const auto* raw = reinterpret_cast<const RAWINPUT*>(buffer.data());
    if (raw->header.dwType != RIM_TYPEKEYBOARD) {
        return;
    }
    if (detector.onKey({raw->data.keyboard.VKey, raw->data.keyboard.Flags})) {
        sequence.onPasteDetected();
    }
}

} // namespace kavo
