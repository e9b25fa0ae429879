#include "ui/win32/editor_images.h"

#include "platform/dpi_scale.h"
#include "ui/win32/res/editor_images.h"

#include <cstdint>
#include <vector>

namespace tw::win32 {
namespace {

int ResourceOf(int size) {
    return size == 32 ? TW_IDB_EDITOR_32 : size == 24 ? TW_IDB_EDITOR_24 : TW_IDB_EDITOR_16;
}

HIMAGELIST ListOf(HBITMAP strip, int size) {
    BITMAP info{};
    GetObjectW(strip, sizeof info, &info);
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, info.bmWidth / size, 0);
    if (list) {
        ImageList_Add(list, strip, nullptr);
    }
    return list;
}

// The same strip in grey at half its opacity.
HBITMAP GreyedCopy(HBITMAP strip) {
    DIBSECTION dib{};
    if (GetObjectW(strip, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32) {
        return nullptr;
    }
    void* bits = nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader = dib.dsBmih;
    bi.bmiHeader.biCompression = BI_RGB;
    HBITMAP grey = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!grey) {
        return nullptr;
    }
    const auto* from = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    auto* to = static_cast<std::uint8_t*>(bits);
    const std::size_t bytes = static_cast<std::size_t>(dib.dsBm.bmWidthBytes) *
                              static_cast<std::size_t>(dib.dsBm.bmHeight);
    for (std::size_t i = 0; i + 3 < bytes; i += 4) {
        const int luma = (from[i] * 29 + from[i + 1] * 150 + from[i + 2] * 77) >> 8;
        const auto light = static_cast<std::uint8_t>(128 + luma / 2);
        to[i] = to[i + 1] = to[i + 2] = light;
        to[i + 3] = static_cast<std::uint8_t>(from[i + 3] / 2);
    }
    return grey;
}

} // namespace

int EditorImageSize(int dpi) {
    const int wanted = ScaleForDpi(16, dpi);
    return wanted >= 32 ? 32 : wanted >= 24 ? 24 : 16;
}

EditorImages::EditorImages(int dpi) : size_(EditorImageSize(dpi)) {
    auto* strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(ResourceOf(size_)), IMAGE_BITMAP,
                                                  0, 0, LR_CREATEDIBSECTION));
    if (!strip) {
        return;
    }
    normal_ = ListOf(strip, size_);
    if (HBITMAP grey = GreyedCopy(strip)) {
        disabled_ = ListOf(grey, size_);
        DeleteObject(grey);
    }
    DeleteObject(strip);
}

EditorImages::~EditorImages() {
    if (normal_) {
        ImageList_Destroy(normal_);
    }
    if (disabled_) {
        ImageList_Destroy(disabled_);
    }
}

} // namespace tw::win32
