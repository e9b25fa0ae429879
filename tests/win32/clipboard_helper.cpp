// Another program's clipboard, for the end-to-end tests of keeping the user's clipboard. Prints
// one line; exit code 0 on success, 1 when the clipboard differs or is busy, 2 for bad arguments.
//   clipboard_helper put TEXT         the clipboard gets TEXT and a small bitmap of known pixels
//   clipboard_helper check TEXT       whether it holds exactly that text and that bitmap
//   clipboard_helper put-on-change TEXT [MS]
//                                     waits up to MS ms (default 10000) for anyone's next write,
//                                     then puts TEXT alone, at once
#include "bitmap_pixels.h"
#include "clipboard_test_support.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 4;
constexpr int kHeight = 2;
const std::uint32_t kPixels[kWidth * kHeight] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF,
                                                 0x00123456, 0x00000000, 0x00808080, 0x00ABCDEF};

int Put(const std::wstring& text, bool withBitmap) {
    if (!tw::test::OpenClipboardPatiently()) {
        std::printf("busy\n");
        return 1;
    }
    EmptyClipboard();
    tw::test::PlaceClipboardText(text);
    if (withBitmap) {
        SetClipboardData(CF_BITMAP, CreateBitmap(kWidth, kHeight, 1, 32, kPixels));
    }
    CloseClipboard();
    std::printf("ok\n");
    return 0;
}

int Check(const std::wstring& expected) {
    if (!tw::test::OpenClipboardPatiently()) {
        std::printf("busy\n");
        return 1;
    }
    HANDLE text = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = text ? static_cast<const wchar_t*>(GlobalLock(text)) : nullptr;
    const std::wstring actual = chars ? chars : L"";
    if (chars) {
        GlobalUnlock(text);
    }
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    const bool samePixels =
        bitmap && tw::win32::BitmapPixels(bitmap, kWidth, kHeight) ==
                      std::vector<std::uint32_t>(kPixels, kPixels + kWidth * kHeight);
    CloseClipboard();
    if (actual != expected) {
        std::printf("text differs: %ls\n", actual.c_str());
        return 1;
    }
    if (!samePixels) {
        std::printf(bitmap ? "bitmap differs\n" : "no bitmap\n");
        return 1;
    }
    std::printf("same\n");
    return 0;
}

int PutOnChange(const std::wstring& text, DWORD timeoutMs) {
    const DWORD start = GetClipboardSequenceNumber();
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetClipboardSequenceNumber() == start) {
        if (GetTickCount64() > end) {
            std::printf("no change\n");
            return 1;
        }
        Sleep(1);
    }
    return Put(text, false);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (argc > 2 && verb == L"put") {
        return Put(argv[2], true);
    }
    if (argc > 2 && verb == L"check") {
        return Check(argv[2]);
    }
    if (argc > 2 && verb == L"put-on-change") {
        return PutOnChange(argv[2], argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 10000);
    }
    std::printf("usage: clipboard_helper put|check|put-on-change TEXT\n");
    return 2;
}
