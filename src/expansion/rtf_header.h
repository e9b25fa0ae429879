#pragma once
// What a reply's RTF declares before its text: the code page, the fonts with their charsets,
// the colours and the lists. Readers of the text look characters and formatting up here.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct RtfFont {
    std::string name;
    std::string family; // \fswiss, \froman, ... without the f; empty when not given
    int codePage = 0;   // of its \fcharset; 0: the document's
};

struct RtfColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool automatic = false; // the empty first entry: the reader's own text colour
};

enum class RtfNumbering { Bullet, Decimal, UpperRoman, LowerRoman, UpperLetter, LowerLetter };

struct RtfListLevel {
    RtfNumbering numbering = RtfNumbering::Bullet;
    int start = 1;
};

struct RtfHeader {
    int codePage = 0;
    int defaultFont = 0;
    std::map<long long, RtfFont> fonts;
    std::vector<RtfColor> colors;
    // The levels of each list, by the \lsN that paragraphs name.
    std::map<long long, std::vector<RtfListLevel>> lists;

    // The code page of text in the font; the document's when the font names none.
    int CodePageOf(long long font) const;
};

// Reads the header; damaged tables give what could be read.
RtfHeader ReadRtfHeader(std::string_view source);

// The code page of a \fcharsetN; 0 for the ANSI and default charsets, which follow the document.
int CodePageOfCharset(long long charset);

// Joins the two halves of a character beyond the BMP that \uN writes as a UTF-16 pair; a half
// without its partner becomes U+FFFD.
class Utf16Joiner {
public:
    void Add(std::string& out, long long parameter);
    void Flush(std::string& out);

private:
    char32_t high_ = 0;
};

// The text a control word stands for where document text may stand (UTF-8), or null.
const char* RtfWordText(std::string_view word);

} // namespace tw
