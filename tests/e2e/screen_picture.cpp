#include "tests/e2e/screen_picture.h"

namespace kavo::e2e {

Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return (Rgb{GetRValue(colour)} << 16) | (Rgb{GetGValue(colour)} << 8) | GetBValue(colour);
}

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

} // namespace kavo::e2e
