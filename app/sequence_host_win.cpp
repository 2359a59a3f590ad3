#include "app/sequence_host_win.h"

#include "app/app_state_win.h"
#include "app/tray_icon_win.h"
#include "sequencer/clipboard_writer_win.h"
#include "win/timer_ids.h"

namespace kavo {

HICON stateIconHandle(const StateIcons& stateIcons, StateIcon icon) {
    switch (icon) {
    case StateIcon::Id:
        return stateIcons[1].get();
    case StateIcon::Pw:
        return stateIcons[2].get();
    case StateIcon::Idle:
        break;
    }
    return stateIcons[0].get();
}

bool MainWindowSequenceHost::putClipboardText(std::u16string_view text, int patienceMs) {
    return kavo::putClipboardText(text, window_, patienceMs);
}

ClipboardWrite MainWindowSequenceHost::replaceOwnClipboardText(std::u16string_view ownText,
                                                               std::u16string_view text,
                                                               int patienceMs) {
    return kavo::replaceOwnClipboardText(ownText, text, window_, patienceMs);
}

void MainWindowSequenceHost::setSequenceTimer(int ms) {
    SetTimer(window_, kSequenceTimerId, static_cast<UINT>(ms), nullptr);
}

void MainWindowSequenceHost::killSequenceTimer() {
    KillTimer(window_, kSequenceTimerId);
}

void MainWindowSequenceHost::setPasteTimer(int ms) {
    SetTimer(window_, kPasteTimerId, static_cast<UINT>(ms), nullptr);
}

void MainWindowSequenceHost::killPasteTimer() {
    KillTimer(window_, kPasteTimerId);
}

void MainWindowSequenceHost::setRetryTimer(int ms) {
    SetTimer(window_, kClipboardRetryTimerId, static_cast<UINT>(ms), nullptr);
}

void MainWindowSequenceHost::killRetryTimer() {
    KillTimer(window_, kClipboardRetryTimerId);
}

void MainWindowSequenceHost::moveWindow(StackingMove move) {
    // The user is pasting into another program: a stacking move must never take the keyboard
    // focus from it (Windows refuses that to a background program anyway).
    constexpr UINT kKeepFocus = SWP_NOACTIVATE;
    const SettingsRecord& s = settings_;
    switch (move) {
    case StackingMove::Top:
        SetWindowPos(window_, HWND_TOPMOST, s.windowX, s.windowY, s.windowWidth, s.windowHeight,
                     SWP_NOSIZE | kKeepFocus);
        break;
    case StackingMove::NoTop:
        SetWindowPos(window_, HWND_NOTOPMOST, s.windowX, s.windowY, s.windowWidth, s.windowHeight,
                     SWP_NOMOVE | kKeepFocus);
        break;
    case StackingMove::Bottom:
        SetWindowPos(window_, HWND_BOTTOM, s.windowX, s.windowY, s.windowWidth, s.windowHeight,
                     SWP_NOSIZE | kKeepFocus);
        break;
    }
}

void MainWindowSequenceHost::storeWindowPosition() {
    RECT rect{};
    if (GetWindowRect(window_, &rect)) {
        settings_.windowX = rect.left;
        settings_.windowY = rect.top;
    }
}

void MainWindowSequenceHost::setSmallIcon(StateIcon icon) {
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(stateIconHandle(stateIcons_, icon)));
}

void MainWindowSequenceHost::refreshTrayIcon() {
    refreshTray_();
}

void MainWindowSequenceHost::repaint() {
    repaint_();
}

} // namespace kavo
