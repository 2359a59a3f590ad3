// A window's pixels as they are on the screen: what a user sees of a menu popup or a tray icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kavo::e2e {

using Rgb = std::uint32_t; // 0xRRGGBB

Rgb systemColour(int index);

// Top row first; empty when the window cannot be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Picture capture(HWND window);

} // namespace kavo::e2e
