#include "expansion/html_inline.h"

#include "expansion/code_pages.h"

#include <algorithm>
#include <cctype>

namespace tw {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
               return std::tolower(static_cast<unsigned char>(t)) == p;
           });
}

// The generic family a browser falls back on when it lacks the face.
const char* GenericFamily(const RtfFont& font) {
    if (font.family == "modern") {
        return "monospace";
    }
    if (font.family == "roman") {
        return "serif";
    }
    if (font.family == "script") {
        return "cursive";
    }
    std::string name = font.name;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* mono : {"courier", "mono", "consol", "console", "fixed"}) {
        if (name.find(mono) != std::string::npos) {
            return "monospace";
        }
    }
    if (font.family != "swiss" && name.find("sans") == std::string::npos &&
        (name.find("times") != std::string::npos || name.find("serif") != std::string::npos ||
         name.find("georgia") != std::string::npos || name.find("garamond") != std::string::npos)) {
        return "serif";
    }
    return "sans-serif";
}

// A face name as a quoted CSS string inside a double-quoted attribute.
std::string QuotedFace(const std::string& name) {
    std::string quoted = "'";
    for (char c : name) {
        const bool unsafe = c == '\'' || c == '"' || c == '\\' || c == '<' || c == '>' ||
                            c == '&' || c == ';' || static_cast<unsigned char>(c) < 0x20;
        if (!unsafe) {
            quoted += c;
        }
    }
    return quoted + "'";
}

void AppendHexColor(std::string& out, const RtfColor& color) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '#';
    for (std::uint8_t part : {color.red, color.green, color.blue}) {
        out += kHex[part >> 4];
        out += kHex[part & 15];
    }
}

std::string Style(const HtmlCharFormat& f, const RtfHeader& header) {
    std::string style = "font-family:";
    const auto font = header.fonts.find(f.font);
    const RtfFont face = font == header.fonts.end() ? RtfFont{} : font->second;
    const std::string quoted = QuotedFace(face.name);
    if (quoted.size() > 2) {
        style += quoted + ",";
    }
    style += GenericFamily(face);
    const int halfPoints = f.vertical == 0 ? f.halfPoints : std::max(2, f.halfPoints * 2 / 3);
    style += ";font-size:" + std::to_string(halfPoints / 2) + (halfPoints % 2 ? ".5pt" : "pt");
    if (f.bold) {
        style += ";font-weight:bold";
    }
    if (f.italic) {
        style += ";font-style:italic";
    }
    if (f.underline || f.strike) {
        style += f.underline && f.strike ? ";text-decoration:underline line-through"
                 : f.underline           ? ";text-decoration:underline"
                                         : ";text-decoration:line-through";
    }
    const auto colorAt = [&](int index) -> const RtfColor* {
        const bool known = index > 0 && static_cast<std::size_t>(index) < header.colors.size() &&
                           !header.colors[static_cast<std::size_t>(index)].automatic;
        return known ? &header.colors[static_cast<std::size_t>(index)] : nullptr;
    };
    if (const RtfColor* color = colorAt(f.color)) {
        style += ";color:";
        AppendHexColor(style, *color);
    }
    if (const RtfColor* color = colorAt(f.highlight)) {
        style += ";background-color:";
        AppendHexColor(style, *color);
    }
    if (f.vertical != 0) {
        style += f.vertical > 0 ? ";vertical-align:super" : ";vertical-align:sub";
    }
    return style;
}

} // namespace

std::string HyperlinkTarget(std::string_view instruction) {
    std::size_t p = instruction.find_first_not_of(' ');
    if (p == std::string_view::npos || !StartsWithNoCase(instruction.substr(p), "hyperlink")) {
        return {};
    }
    p = instruction.find_first_not_of(' ', p + 9);
    if (p == std::string_view::npos) {
        return {};
    }
    std::string_view target;
    if (instruction[p] == '"') {
        const std::size_t end = instruction.find('"', p + 1);
        target = instruction.substr(p + 1, end == std::string_view::npos ? end : end - p - 1);
    } else {
        target = instruction.substr(p, instruction.find(' ', p) - p);
    }
    for (const char* scheme : {"http://", "https://", "mailto:", "ftp://"}) {
        if (StartsWithNoCase(target, scheme)) {
            return std::string(target);
        }
    }
    return {};
}

void HtmlInlineWriter::Start(const HtmlCharFormat& format) {
    afterCr_ = false;
    if (!href_.empty() && !linkOpen_) {
        CloseSpan();
        out_.html += "<a href=\"";
        for (char c : href_) {
            Escaped(static_cast<unsigned char>(c));
        }
        out_.html += "\">";
        linkOpen_ = true;
    }
    if (spanOpen_ && span_ == format) {
        return;
    }
    CloseSpan();
    // A reply uses a handful of formats over and over.
    auto known = std::find_if(styles_.begin(), styles_.end(),
                              [&](const auto& entry) { return entry.first == format; });
    if (known == styles_.end()) {
        if (styles_.size() >= 32) {
            styles_.clear();
        }
        styles_.emplace_back(format, "<span style=\"" + Style(format, header_) + "\">");
        known = styles_.end() - 1;
    }
    out_.html += known->second;
    span_ = format;
    spanOpen_ = true;
}

void HtmlInlineWriter::CloseSpan() {
    if (spanOpen_) {
        out_.html += "</span>";
        spanOpen_ = false;
    }
}

void HtmlInlineWriter::Escaped(char32_t c) {
    switch (c) {
    case U'&':
        out_.html += "&amp;";
        return;
    case U'<':
        out_.html += "&lt;";
        return;
    case U'>':
        out_.html += "&gt;";
        return;
    case U'"':
        out_.html += "&quot;";
        return;
    default:
        break;
    }
    // Controls other than the tab have no place in HTML text.
    const bool control = (c < 0x20 && c != U'\t') || c == 0x7F;
    AppendUtf8(out_.html, control || c > 0x10FFFF ? U'\xFFFD' : c);
}

void HtmlInlineWriter::Char(char32_t c, const HtmlCharFormat& format) {
    if (c == U'\r' || c == U'\n') {
        // A CR LF pair is one line break, as in the plain text.
        if (!(c == U'\n' && afterCr_)) {
            Break();
        }
        afterCr_ = c == U'\r';
        return;
    }
    Start(format);
    Escaped(c);
    out_.open = false;
}

void HtmlInlineWriter::Bytes(std::string_view bytes, int codePage, const HtmlCharFormat& format) {
    if (bytes.empty()) {
        return;
    }
    Start(format);
    out_.open = false;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        // Most of a reply is ASCII that stands for itself; the scanner leaves no control bytes
        // in text.
        if (c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"') {
            out_.html += byte;
        } else {
            Escaped(CharOfCodePageByte(codePage, c));
        }
    }
}

void HtmlInlineWriter::Utf8(std::string_view text, const HtmlCharFormat& format) {
    for (char32_t c : DecodeUtf8(text, kDefaultCodePage)) {
        Char(c, format);
    }
}

void HtmlInlineWriter::Break() {
    afterCr_ = false;
    CloseSpan();
    out_.html += "<br>";
    out_.open = true;
}

void HtmlInlineWriter::OpenLink(std::string_view instruction) {
    if (href_.empty()) {
        href_ = HyperlinkTarget(instruction);
    }
}

void HtmlInlineWriter::CloseLink() {
    CloseSpan();
    if (linkOpen_) {
        out_.html += "</a>";
        linkOpen_ = false;
    }
    href_.clear();
}

HtmlInline HtmlInlineWriter::Take() {
    CloseSpan();
    if (linkOpen_) {
        out_.html += "</a>";
        linkOpen_ = false;
    }
    afterCr_ = false;
    HtmlInline taken = std::move(out_);
    out_ = HtmlInline{};
    return taken;
}

} // namespace tw
