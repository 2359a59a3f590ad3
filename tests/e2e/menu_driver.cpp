#include "tests/e2e/menu_driver.h"

#include <gtest/gtest.h>

#include <cstdint>

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

using Rgb = std::uint32_t;

Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return (Rgb{GetRValue(colour)} << 16) | (Rgb{GetGValue(colour)} << 8) | GetBValue(colour);
}

// A window's pixels as they are on the screen, 0xRRGGBB each, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Picture capture(HWND window) {
    Picture picture;
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return picture;
    }
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    if (picture.width <= 0 || picture.height <= 0) {
        return Picture{};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY)) {
        const auto* source = static_cast<const Rgb*>(bits);
        picture.pixels.assign(source, source + picture.width * picture.height);
        for (Rgb& pixel : picture.pixels) {
            pixel &= 0xFFFFFF;
        }
    } else {
        picture = Picture{};
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

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
std::vector<bool> readItems(const Picture& picture) {
    const Rgb background = systemColour(COLOR_MENU);
    const Rgb text = systemColour(COLOR_MENUTEXT);
    const Rgb highlight = systemColour(COLOR_HIGHLIGHT);
    const Rgb highlightText = systemColour(COLOR_HIGHLIGHTTEXT);
    std::vector<bool> enabled;
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
        enabled.push_back(bandHas(picture, top, y, highlighted ? highlightText : text));
    }
    return enabled;
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

std::vector<bool> MenuPopup::enabledItems(std::size_t itemCount) {
    std::vector<bool> previous;
    std::vector<bool> current;
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
