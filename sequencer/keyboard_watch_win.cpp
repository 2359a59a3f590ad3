#include "sequencer/keyboard_watch_win.h"

#include "win/owned_handles_win.h"

#include <optional>
#include <vector>

namespace kavo {

namespace {

constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kKeyboardUsage = 6;

// The detector the win event callbacks reach; the watch lives as long as the window.
PasteDetector* g_watchedDetector = nullptr;
HWINEVENTHOOK g_desktopSwitchHook = nullptr;
HWINEVENTHOOK g_foregroundHook = nullptr;
DWORD g_ownIntegrity = 0;

void CALLBACK onDesktopSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) noexcept {
    if (g_watchedDetector != nullptr) {
        g_watchedDetector->forgetCtrl();
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

// The keyboard went to another window: when Windows keeps that window's keys from KAVO, a Ctrl
// release there would go unseen.
void CALLBACK onForeground(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) noexcept {
    try {
        if (g_watchedDetector != nullptr && window != nullptr &&
            keysMayBeHidden(windowIntegrity(window), g_ownIntegrity)) {
            g_watchedDetector->forgetCtrl();
        }
    } catch (...) {
        // Out of memory for the token: the Ctrl is forgotten rather than trusted.
        if (g_watchedDetector != nullptr) {
            g_watchedDetector->forgetCtrl();
        }
    }
}

} // namespace

void registerKeyboardWatch(HWND window, PasteDetector& detector) {
    RAWINPUTDEVICE device{};
    device.usUsagePage = kGenericDesktopPage;
    device.usUsage = kKeyboardUsage;
    device.dwFlags = RIDEV_INPUTSINK;
    device.hwndTarget = window;
    RegisterRawInputDevices(&device, 1, sizeof(device));

    g_watchedDetector = &detector;
    g_ownIntegrity = integrityLevel(GetCurrentProcess()).value_or(0);
    g_foregroundHook =
        SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, onForeground, 0,
                        0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    g_desktopSwitchHook =
        SetWinEventHook(EVENT_SYSTEM_DESKTOPSWITCH, EVENT_SYSTEM_DESKTOPSWITCH, nullptr,
                        onDesktopSwitch, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

void unregisterKeyboardWatch() {
    for (HWINEVENTHOOK* hook : {&g_desktopSwitchHook, &g_foregroundHook}) {
        if (*hook != nullptr) {
            UnhookWinEvent(*hook);
            *hook = nullptr;
        }
    }
    g_watchedDetector = nullptr;
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
