#include "tests/e2e/menu_driver.h"

#include "tests/e2e/input_driver.h"
#include "tests/e2e/screen_picture.h"

#include <gtest/gtest.h>

namespace kavo::e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kOpenTimeoutMs = 5000;
constexpr DWORD kDrawTimeoutMs = 5000;
constexpr DWORD kCloseTimeoutMs = 3000;
constexpr int kMaxEscapes = 4;
// Left out on every side: the popup's frame, which is drawn in other colours.
constexpr int kFrameInset = 3;
// Separators are a line or two high; the text of an item is much taller.
constexpr int kMinItemRows = 4;

bool rowIsBlank(const Picture& picture, int y, Rgb background) {
    for (int x = kFrameInset; x < picture.width - kFrameInset; ++x) {
        if (picture.at(x, y) != background) {
            return false;
        }
    }
    return true;
}

bool bandHas(const Picture& picture, int top, int bottom, Rgb colour) {
    for (int y = top; y < bottom; ++y) {
        for (int x = kFrameInset; x < picture.width - kFrameInset; ++x) {
            if (picture.at(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// Splits the popup into bands of drawn rows with blank rows between them. A thin band is a
// separator; any other is an item. The highlighted item shows its text in the highlight text
// colour when it is enabled; every other enabled item in the menu text colour. Grayed text has
// neither.
std::vector<MenuItemBand> readItems(const Picture& picture) {
    const Rgb background = systemColour(COLOR_MENU);
    const Rgb text = systemColour(COLOR_MENUTEXT);
    const Rgb highlight = systemColour(COLOR_HIGHLIGHT);
    const Rgb highlightText = systemColour(COLOR_HIGHLIGHTTEXT);
    std::vector<MenuItemBand> items;
    int y = kFrameInset;
    const int end = picture.height - kFrameInset;
    while (y < end) {
        if (rowIsBlank(picture, y, background)) {
            ++y;
            continue;
        }
        const int top = y;
        while (y < end && !rowIsBlank(picture, y, background)) {
            ++y;
        }
        if (y - top < kMinItemRows) {
            continue;
        }
        const bool highlighted = bandHas(picture, top, y, highlight);
        items.push_back({top, y, bandHas(picture, top, y, highlighted ? highlightText : text)});
    }
    return items;
}

} // namespace

MenuPopup::MenuPopup(Kavo& kavo, wchar_t letter) : kavo_(kavo) {
    // What Alt and the letter turn into once the window has them.
    PostMessageW(kavo_.shownWindow(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(letter));
    popup_ = kavo_.waitForWindow(L"#32768", kOpenTimeoutMs);
    EXPECT_NE(popup_, nullptr) << "the menu popup did not open";
}

MenuPopup::~MenuPopup() {
    if (kavo_.isRunning()) {
        close();
    }
}

MenuPopup::MenuPopup(Kavo& kavo) : kavo_(kavo) {
    popup_ = kavo_.waitForWindow(L"#32768", kOpenTimeoutMs);
    EXPECT_NE(popup_, nullptr) << "no menu popup opened";
}

std::vector<MenuItemBand> MenuPopup::items(std::size_t itemCount) {
    std::vector<MenuItemBand> previous;
    std::vector<MenuItemBand> current;
    for (DWORD waited = 0; popup_ != nullptr && waited < kDrawTimeoutMs; waited += kPollMs) {
        current = readItems(capture(popup_));
        if (current.size() == itemCount && current == previous) {
            return current;
        }
        previous = current;
        Sleep(kPollMs);
    }
    ADD_FAILURE() << "the popup did not show " << itemCount << " items; it showed "
                  << current.size();
    return current;
}

std::vector<bool> MenuPopup::enabledItems(std::size_t itemCount) {
    std::vector<bool> enabled;
    for (const MenuItemBand& item : items(itemCount)) {
        enabled.push_back(item.enabled);
    }
    return enabled;
}

RECT MenuPopup::rect() const {
    RECT rect{};
    GetWindowRect(popup_, &rect);
    return rect;
}

void MenuPopup::clickItem(std::size_t index, std::size_t itemCount) {
    const std::vector<MenuItemBand> bands = items(itemCount);
    ASSERT_LT(index, bands.size());
    const RECT popup = rect();
    clickAt((popup.left + popup.right) / 2,
            popup.top + (bands[index].top + bands[index].bottom) / 2, MouseButton::Left);
    for (DWORD waited = 0; kavo_.inMenuMode() && waited < kCloseTimeoutMs; waited += kPollMs) {
        Sleep(kPollMs);
    }
    kavo_.settle();
}

void MenuPopup::typeItemLetter(wchar_t letter) {
    PostMessageW(kavo_.window(), WM_CHAR, static_cast<WPARAM>(letter), 0);
    for (DWORD waited = 0; kavo_.inMenuMode() && waited < kCloseTimeoutMs; waited += kPollMs) {
        Sleep(kPollMs);
    }
    EXPECT_FALSE(kavo_.inMenuMode()) << "the menu stayed open after its item letter";
    kavo_.settle();
}

void MenuPopup::close() {
    for (int escapes = 0; escapes < kMaxEscapes && kavo_.inMenuMode(); ++escapes) {
        // The first Escape closes the popup, the next leaves the menu bar.
        PostMessageW(kavo_.window(), WM_KEYDOWN, VK_ESCAPE, 0);
        kavo_.settle();
    }
    EXPECT_FALSE(kavo_.inMenuMode()) << "the menu did not close";
}

} // namespace kavo::e2e
