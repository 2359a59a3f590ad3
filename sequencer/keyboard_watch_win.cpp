#include "sequencer/keyboard_watch_win.h"

#include <vector>

namespace kavo {

namespace {

constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kKeyboardUsage = 6;

// The physical key, whatever window has the keyboard; zero when Windows will not say (another
// desktop, an elevated foreground window), which counts as up.
class AsyncKeyboardState final : public KeyboardState {
  public:
    bool leftCtrlDown() const override { return (GetAsyncKeyState(VK_LCONTROL) & 0x8000) != 0; }
};

// The detector the desktop-switch callback reaches; the watch lives as long as the window.
PasteDetector* g_watchedDetector = nullptr;
HWINEVENTHOOK g_desktopSwitchHook = nullptr;

void CALLBACK onDesktopSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) noexcept {
    if (g_watchedDetector != nullptr) {
        g_watchedDetector->forgetCtrl();
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
    g_desktopSwitchHook =
        SetWinEventHook(EVENT_SYSTEM_DESKTOPSWITCH, EVENT_SYSTEM_DESKTOPSWITCH, nullptr,
                        onDesktopSwitch, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

void unregisterKeyboardWatch() {
    if (g_desktopSwitchHook != nullptr) {
        UnhookWinEvent(g_desktopSwitchHook);
        g_desktopSwitchHook = nullptr;
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
    const AsyncKeyboardState keyboard;
    if (detector.onKey({raw->data.keyboard.VKey, raw->data.keyboard.Flags}, keyboard)) {
        sequence.onPasteDetected();
    }
}

} // namespace kavo
