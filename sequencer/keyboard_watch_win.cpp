#include "sequencer/keyboard_watch_win.h"

#include <vector>

namespace kavo {

namespace {

constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kKeyboardUsage = 6;

} // namespace

void registerKeyboardWatch(HWND window) {
    RAWINPUTDEVICE device{};
    device.usUsagePage = kGenericDesktopPage;
    device.usUsage = kKeyboardUsage;
    device.dwFlags = RIDEV_INPUTSINK;
    device.hwndTarget = window;
    RegisterRawInputDevices(&device, 1, sizeof(device));
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
