#pragma once
// A bitmap's pixels as 32-bit top-down rows, for comparing bitmaps that went through the clipboard.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace tw::win32 {

// Empty when the bitmap cannot be read at that size.
inline std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    const int rows = bitmap ? GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                        &info, DIB_RGB_COLORS)
                            : 0;
    ReleaseDC(nullptr, screen);
    return rows == height ? pixels : std::vector<std::uint32_t>{};
}

} // namespace tw::win32
