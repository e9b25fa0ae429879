// The reply as the clipboard carries it (rich text and Unicode text), kept in two files of a
// folder so that the baseline pastes exactly what the program put there: reply.rtf and reply.txt
// (UTF-8).
#pragma once

#include <windows.h>

#include <string>

namespace tw::bench {

// Each returns an empty text on success, else what went wrong.
std::wstring ReadClipboardReply(std::string& rtf, std::wstring& text);
std::wstring SaveReply(const std::wstring& folder, const std::string& rtf,
                       const std::wstring& text);

std::wstring ReadUtf8File(const std::wstring& path, std::wstring& text);

// Puts both files of the folder on the clipboard, owned by `owner`.
std::wstring PutReplyOnClipboard(HWND owner, const std::wstring& folder);

} // namespace tw::bench
