#include "platform/win32/ansi_path.h"

#include <windows.h>

namespace tw::win32 {

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

namespace {

std::string WideTo(UINT codePage, const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

} // namespace

std::string WideToAnsi(const std::wstring& text) {
    return WideTo(CP_ACP, text);
}

std::string WideToUtf8(const std::wstring& text) {
    return WideTo(CP_UTF8, text);
}

} // namespace tw::win32
