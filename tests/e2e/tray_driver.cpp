#include "tests/e2e/tray_driver.h"

#include "tests/e2e/screen_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kavo::e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kTimeoutMs = 5000;
// Away from KAVO's window, with room above for a menu that opens upwards.
constexpr POINT kTrayPlace{700, 600};
constexpr Rgb kIdBackground = 0x66CC66;
constexpr Rgb kPwBackground = 0x6666CC;
constexpr Rgb kGreenLetters = 0x00FF00; // "ID" on every state icon
// A background fills most of the 16 x 16 picture; the letters never reach this many pixels.
constexpr long kBackgroundPixels = 60;

std::vector<HWND> trayIcons() {
    std::vector<HWND> icons;
    HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    for (HWND icon = tray != nullptr ? GetWindow(tray, GW_CHILD) : nullptr; icon != nullptr;
         icon = GetWindow(icon, GW_HWNDNEXT)) {
        if (IsWindowVisible(icon)) {
            icons.push_back(icon);
        }
    }
    return icons;
}

bool waitFor(const std::function<bool()>& condition) {
    for (DWORD waited = 0; !condition() && waited <= kTimeoutMs; waited += kPollMs) {
        pumpMessages(kPollMs);
    }
    return condition();
}

} // namespace

TrayIconWatch::TrayIconWatch() : before_(trayIcons()) {}

bool TrayIconWatch::appears() {
    waitFor([this] {
        for (HWND icon : trayIcons()) {
            if (std::find(before_.begin(), before_.end(), icon) == before_.end()) {
                icon_ = icon;
            }
        }
        return icon_ != nullptr;
    });
    if (icon_ != nullptr) {
        SetWindowPos(GetParent(icon_), nullptr, kTrayPlace.x, kTrayPlace.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pumpMessages(100);
    }
    return icon_ != nullptr;
}

bool TrayIconWatch::present() const {
    return icon_ != nullptr && IsWindow(icon_) && IsWindowVisible(icon_);
}

bool TrayIconWatch::disappears() {
    return waitFor([this] { return !present(); });
}

TrayPicture TrayIconWatch::picture() const {
    // Wine draws a changed icon over the old one without erasing it (its icon windows have no
    // background), so a transparent icon shows the last one's background through until the tray
    // is next exposed. Repaint the tray, as an exposure does, to see the icon it holds.
    RedrawWindow(GetParent(icon_), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<Rgb> pixels = capture(icon_).pixels;
    const auto count = [&](Rgb colour) { return std::count(pixels.begin(), pixels.end(), colour); };
    if (count(kIdBackground) >= kBackgroundPixels) {
        return TrayPicture::IdPhase;
    }
    if (count(kPwBackground) >= kBackgroundPixels) {
        return TrayPicture::PwPhase;
    }
    return count(kGreenLetters) > 0 ? TrayPicture::Idle : TrayPicture::Other;
}

bool TrayIconWatch::shows(TrayPicture expected) {
    if (waitFor([&] { return picture() == expected; })) {
        return true;
    }
    ADD_FAILURE() << "the tray icon shows picture " << static_cast<int>(picture()) << ", not "
                  << static_cast<int>(expected);
    return false;
}

POINT TrayIconWatch::middle() const {
    RECT rect{};
    GetWindowRect(icon_, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void TrayIconWatch::moveBelow(const RECT& menu) {
    RECT tray{};
    GetWindowRect(GetParent(icon_), &tray);
    SetWindowPos(GetParent(icon_), nullptr, tray.left, menu.bottom + 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages(100);
}

void TrayIconWatch::click(MouseButton button) {
    while (GetTickCount() - lastClick_ <= GetDoubleClickTime()) {
        pumpMessages(kPollMs);
    }
    clickAt(middle().x, middle().y, button);
    lastClick_ = GetTickCount();
    pumpMessages(100);
}

void TrayIconWatch::doubleClick() {
    click(MouseButton::Left);
    clickAt(middle().x, middle().y, MouseButton::Left);
    pumpMessages(100);
}

} // namespace kavo::e2e
