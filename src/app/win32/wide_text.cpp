#include "app/win32/wide_text.h"

#include <windows.h>

#include <climits>

namespace tw::win32 {

std::wstring Widen(const std::string& ansi) {
    if (ansi.empty() || ansi.size() > INT_MAX) {
        return {};
    }
    const int n = static_cast<int>(ansi.size());
    const int len = MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(len > 0 ? len : 0), L'\0');
    if (len > 0) {
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, out.data(), len);
    }
    return out;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    const int n = static_cast<int>(wide.size());
    const int len = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(len > 0 ? len : 0), '\0');
    if (len > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), len, nullptr, nullptr);
    }
    return out;
}

} // namespace tw::win32
