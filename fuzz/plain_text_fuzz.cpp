// The plain-text extractor. Input without a NUL byte is taken as reply source: what is not RTF
// comes back unchanged, and the text of RTF is never longer than its source (every character
// stands for at least one source byte). Input with a NUL byte: the bytes after it are written
// into a document with the escaping the program uses for inserted values, and must read back as
// exactly those bytes, line breaks as CR LF.
#include "expansion/rtf_escape.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_scanner.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

using namespace tw;

namespace {

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    if (nul == std::string::npos) {
        const std::string text = RtfToPlainText(input);
        if (!IsRtfSource(input)) {
            fuzz::Check(text == input, "source that is not RTF comes back as it is");
        } else {
            fuzz::Check(text.size() <= input.size(), "text no longer than its source");
        }
        return 0;
    }
    const std::string value = input.substr(nul + 1);
    const std::string source = "{\\rtf1\\ansi " + EscapeRtfText(value) + "}";
    const std::string text = RtfToPlainText(source);
    fuzz::Check(text == WithCrLf(value), "escaped text reads back: " + source);
    return 0;
}
