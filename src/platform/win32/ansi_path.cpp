#include "platform/win32/ansi_path.h"

#include "platform/path_rules.h"

#include <windows.h>

#include <algorithm>

namespace tw::win32 {

namespace {

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    if (n == 0 || MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), n) != n) {
        return {};
    }
    return out;
}

std::string FromWide(UINT codePage, DWORD flags, const std::wstring& text, BOOL* usedDefault) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string out(static_cast<std::size_t>(n), '\0');
    if (n == 0 || WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), n, nullptr,
                                      usedDefault) != n) {
        return {};
    }
    return out;
}

class AnsiCodePage final : public CodePage {
public:
    std::string FromWide(std::u16string_view text, bool& usedDefault) const override {
        BOOL used = FALSE;
        std::string out = win32::FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS,
                                          std::wstring(text.begin(), text.end()), &used);
        usedDefault = used != FALSE || (out.empty() && !text.empty());
        return out;
    }
    std::u16string ToWide(std::string_view bytes) const override {
        const std::wstring w = win32::ToWide(CP_ACP, 0, std::string(bytes));
        return std::u16string(w.begin(), w.end());
    }
};

} // namespace

std::wstring AnsiToWide(const std::string& text) {
    return ToWide(CP_ACP, 0, text);
}

std::string WideToAnsi(const std::wstring& text) {
    return FromWide(CP_ACP, 0, text, nullptr);
}

std::optional<std::string> WideToAnsiExactly(const std::wstring& text) {
    return ToCodePageExactly(std::u16string(text.begin(), text.end()), AnsiCodePage());
}

std::string WideToUtf8(const std::wstring& text) {
    return FromWide(CP_UTF8, 0, text, nullptr);
}

std::wstring PathToWide(const std::string& utf8Path) {
    return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path);
}

std::optional<std::string> WideToPath(const std::wstring& path) {
    std::string out = FromWide(CP_UTF8, WC_ERR_INVALID_CHARS, path, nullptr);
    if (out.empty() && !path.empty()) {
        return std::nullopt;
    }
    return out;
}

std::wstring TextToWide(const std::string& text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        const std::wstring utf8 = PathToWide(text);
        if (!utf8.empty()) {
            return utf8;
        }
    }
    return AnsiToWide(text);
}

} // namespace tw::win32
