#include "tests/e2e/input_driver.h"

#include <iterator>

namespace kavo::e2e {

namespace {

constexpr WORD kCtrlScanCode = 0x1D;
constexpr WORD kVScanCode = 0x2F;
constexpr WORD kVirtualKeyV = 'V';
constexpr DWORD kCtrlHoldMs = 60;

INPUT keyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

} // namespace

void typeText(std::wstring_view text) {
    for (const wchar_t c : text) {
        const SHORT layout = VkKeyScanW(c);
        const auto key = static_cast<WORD>(LOBYTE(layout));
        const auto scan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        const auto shiftScan = static_cast<WORD>(MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC));
        const bool shift = (HIBYTE(layout) & 1) != 0;
        INPUT inputs[4];
        UINT count = 0;
        if (shift) {
            inputs[count++] = keyInput(VK_SHIFT, shiftScan, 0);
        }
        inputs[count++] = keyInput(key, scan, 0);
        inputs[count++] = keyInput(key, scan, KEYEVENTF_KEYUP);
        if (shift) {
            inputs[count++] = keyInput(VK_SHIFT, shiftScan, KEYEVENTF_KEYUP);
        }
        SendInput(count, inputs, sizeof(INPUT));
    }
    pumpMessages(30);
}

void pressKey(WORD virtualKey, WORD modifier) {
    INPUT inputs[4];
    UINT count = 0;
    if (modifier != 0) {
        inputs[count++] = keyInput(modifier, 0, 0);
    }
    inputs[count++] = keyInput(virtualKey, 0, 0);
    inputs[count++] = keyInput(virtualKey, 0, KEYEVENTF_KEYUP);
    if (modifier != 0) {
        inputs[count++] = keyInput(modifier, 0, KEYEVENTF_KEYUP);
    }
    SendInput(count, inputs, sizeof(INPUT));
}

void pumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

PasteTarget::PasteTarget() {
    window_ = CreateWindowExW(0, L"STATIC", L"paste target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420,
                              0, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            10, 10, 260, 24, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpMessages(100);
}

PasteTarget::~PasteTarget() {
    DestroyWindow(window_);
    pumpMessages(20);
}

void clickAt(int x, int y, MouseButton button) {
    SetCursorPos(x, y);
    const bool left = button == MouseButton::Left;
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    clicks[1].mi.dwFlags = left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void PasteTarget::focus() {
    // A click into the field, as a user gives it the focus.
    RECT field{};
    GetWindowRect(edit_, &field);
    clickAt((field.left + field.right) / 2, (field.top + field.bottom) / 2, MouseButton::Left);
    pumpMessages(150);
}

void PasteTarget::typePaste(CtrlKey ctrl) {
    const DWORD extended = ctrl == CtrlKey::Right ? KEYEVENTF_EXTENDEDKEY : 0;
    INPUT inputs[3];
    UINT count = 0;
    if (ctrl != CtrlKey::None) {
        inputs[count++] = keyInput(VK_CONTROL, kCtrlScanCode, extended);
    }
    inputs[count++] = keyInput(kVirtualKeyV, kVScanCode, 0);
    inputs[count++] = keyInput(kVirtualKeyV, kVScanCode, KEYEVENTF_KEYUP);
    SendInput(count, inputs, sizeof(INPUT));
    // Ctrl stays down a moment after V, as under a user's finger.
    pumpMessages(kCtrlHoldMs);
    if (ctrl != CtrlKey::None) {
        INPUT release = keyInput(VK_CONTROL, kCtrlScanCode, extended | KEYEVENTF_KEYUP);
        SendInput(1, &release, sizeof(INPUT));
    }
    pumpMessages(30);
}

void PasteTarget::typePasteBurst() {
    const INPUT inputs[] = {keyInput(VK_CONTROL, kCtrlScanCode, 0),
                            keyInput(kVirtualKeyV, kVScanCode, 0),
                            keyInput(kVirtualKeyV, kVScanCode, KEYEVENTF_KEYUP),
                            keyInput(VK_CONTROL, kCtrlScanCode, KEYEVENTF_KEYUP)};
    SendInput(static_cast<UINT>(std::size(inputs)), const_cast<INPUT*>(inputs), sizeof(INPUT));
    pumpMessages(30);
}

std::wstring PasteTarget::text() {
    pumpMessages(30);
    wchar_t buffer[1024] = {};
    GetWindowTextW(edit_, buffer, 1024);
    return buffer;
}

void PasteTarget::clear() {
    SetWindowTextW(edit_, L"");
}

} // namespace kavo::e2e
