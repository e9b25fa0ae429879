#include "clipboard_files.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tw::bench {

namespace {

UINT RtfFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Rich Text Format");
    return format;
}

// Another program may hold the clipboard for a moment (the one that just copied the reply).
bool OpenClipboardPatiently(HWND owner) {
    for (int i = 0; i < 200; ++i) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(5);
    }
    return false;
}

std::string ToUtf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::wstring FromUtf8(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<bool>(in) || in.eof();
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool SetData(UINT format, const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) {
        return false;
    }
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

// Clipboard text ends at its first terminator or at the end of the block, whichever comes first.
template <typename Char> std::basic_string<Char> GetData(UINT format) {
    HANDLE h = GetClipboardData(format);
    const auto* p = h ? static_cast<const Char*>(GlobalLock(h)) : nullptr;
    if (!p) {
        return {};
    }
    const std::size_t limit = GlobalSize(h) / sizeof(Char);
    std::size_t n = 0;
    while (n < limit && p[n]) {
        ++n;
    }
    std::basic_string<Char> s(p, n);
    GlobalUnlock(h);
    return s;
}

} // namespace

std::wstring ReadClipboardReply(std::string& rtf, std::wstring& text) {
    if (!OpenClipboardPatiently(nullptr)) {
        return L"the clipboard could not be opened";
    }
    rtf = GetData<char>(RtfFormat());
    text = GetData<wchar_t>(CF_UNICODETEXT);
    CloseClipboard();
    if (rtf.empty() || text.empty()) {
        return L"the clipboard lacks rich text or Unicode text";
    }
    return {};
}

std::wstring SaveReply(const std::wstring& folder, const std::string& rtf,
                       const std::wstring& text) {
    if (!WriteWholeFile(folder + L"\\reply.rtf", rtf) ||
        !WriteWholeFile(folder + L"\\reply.txt", ToUtf8(text))) {
        return L"could not write the clipboard's reply to " + folder;
    }
    return {};
}

std::wstring ReadUtf8File(const std::wstring& path, std::wstring& text) {
    std::string utf8;
    if (!ReadWholeFile(path, utf8) || utf8.empty()) {
        return path + L" is missing or empty";
    }
    text = FromUtf8(utf8);
    return {};
}

std::wstring PutReplyOnClipboard(HWND owner, const std::wstring& folder) {
    std::string rtf;
    std::wstring text, error = ReadUtf8File(folder + L"\\reply.txt", text);
    if (!error.empty()) {
        return error;
    }
    if (!ReadWholeFile(folder + L"\\reply.rtf", rtf) || rtf.empty()) {
        return L"reply.rtf is missing or empty in " + folder;
    }
    if (!OpenClipboardPatiently(owner)) {
        return L"the clipboard could not be opened";
    }
    EmptyClipboard();
    const bool ok = SetData(RtfFormat(), rtf.c_str(), rtf.size() + 1) &&
                    SetData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
    return ok ? std::wstring() : L"the clipboard refused the reply";
}

} // namespace tw::bench
