// The plain-text extractor. Input without a NUL byte is taken as reply source: what is not RTF
// comes back unchanged, and the text of RTF has no more characters than its source has bytes
// (every character stands for at least one source byte). Input with a NUL byte: the byte before
// it picks the document's code page and \ucN, the bytes after it are a value (UTF-8, else bytes
// of that code page) written into the document with the escaping the program uses for inserted
// values, and must read back as exactly those characters, line breaks as CR LF.
#include "expansion/code_pages.h"
#include "expansion/rtf_escape.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_scanner.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace tw;

namespace {

std::size_t CharCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Utf8WithCrLf(const std::u32string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            AppendUtf8(out, text[i]);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    if (nul == std::string::npos) {
        const std::string text = RtfToPlainText(input);
        if (!IsRtfSource(input)) {
            fuzz::Check(text == input, "source that is not RTF comes back as it is");
        } else {
            fuzz::Check(CharCount(text) <= input.size(), "no more characters than source bytes");
        }
        return 0;
    }
    // 1250-1258 have tables, 874 has none: its upper half must travel as \uN.
    static const int kCodePages[] = {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874};
    const unsigned char pick = nul > 0 ? static_cast<unsigned char>(input[nul - 1]) : 0;
    const int codePage = kCodePages[pick % std::size(kCodePages)];
    const int skip = pick / std::size(kCodePages) % 3;
    const std::u32string value = DecodeUtf8(std::string_view(input).substr(nul + 1), codePage);
    std::string source =
        "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage) + "\\uc" + std::to_string(skip) + " ";
    AppendRtfEscaped(source, value, codePage, skip);
    source += '}';
    const std::string text = RtfToPlainText(source);
    fuzz::Check(text == Utf8WithCrLf(value), "escaped text reads back", [&] { return source; });
    return 0;
}
