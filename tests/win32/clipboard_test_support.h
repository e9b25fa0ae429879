#pragma once
// The clipboard as the tests and test programs see it, the way another program would: read,
// listed and written with the raw API, never through the adapters under test.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace tw::test {

// Another program may hold the clipboard for a moment.
inline bool OpenClipboardPatiently(HWND owner = nullptr) {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

// The bytes of one format; empty when it is not there or the clipboard stays busy.
inline std::vector<unsigned char> ClipboardBytes(UINT format, HWND owner = nullptr) {
    std::vector<unsigned char> bytes;
    if (!OpenClipboardPatiently(owner)) {
        return bytes;
    }
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto* p = static_cast<const unsigned char*>(GlobalLock(data))) {
            bytes.assign(p, p + GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

inline std::wstring ClipboardText(HWND owner = nullptr) {
    const std::vector<unsigned char> bytes = ClipboardBytes(CF_UNICODETEXT, owner);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

inline std::vector<UINT> ClipboardFormats(HWND owner = nullptr) {
    std::vector<UINT> formats;
    if (OpenClipboardPatiently(owner)) {
        for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) {
            formats.push_back(f);
        }
        CloseClipboard();
    }
    return formats;
}

// Called with the clipboard open and emptied.
inline void PlaceClipboardText(const std::wstring& text) {
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        return;
    }
    std::memcpy(GlobalLock(block), text.c_str(), size);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
    }
}

} // namespace tw::test
