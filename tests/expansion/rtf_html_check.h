#pragma once
// The converter's safety property, shared by the unit tests and the fuzz target: the HTML is
// well formed (only the converter's own elements, balanced, every attribute quoted, every
// special character escaped) and its text, read as a browser lays it out, is the reply's
// plain text.
#include "expansion/code_pages.h"
#include "expansion/rtf_html.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_scanner.h"

#include <set>
#include <string>
#include <vector>

namespace tw::testing {

// Empty when the escapes are the four the converter writes.
inline std::string EntityProblem(const std::string& text, std::size_t at, std::string* decoded) {
    static const struct {
        const char* entity;
        char c;
    } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    for (const auto& e : kEntities) {
        if (text.compare(at, std::string(e.entity).size(), e.entity) == 0) {
            if (decoded) {
                *decoded += e.c;
            }
            return {};
        }
    }
    return "unknown entity at " + std::to_string(at);
}

// The text of the HTML as lines: a paragraph, list item or row ends a line, a cell ends with a
// tab, and a <br> breaks the line unless nothing but closing inline tags stands between it and
// the end of its block (browsers show no line for such a break). Empty with the problem set
// when the HTML is not well formed.
inline std::string ReadHtml(const std::string& html, std::string& problem) {
    static const std::set<std::string> kElements = {"p",  "span", "br",    "ul", "ol",
                                                    "li", "a",    "table", "tr", "td"};
    static const std::set<std::string> kInline = {"span", "a"};
    std::string text;
    std::vector<std::string> open;
    std::size_t pendingBreak = std::string::npos; // where a <br>'s line break would go
    for (std::size_t p = 0; p < html.size();) {
        const char c = html[p];
        if (c == '>' || c == '"') {
            problem = "unescaped " + std::string(1, c) + " in text at " + std::to_string(p);
            return {};
        }
        if (c == '&') {
            if (!(problem = EntityProblem(html, p, &text)).empty()) {
                return {};
            }
            p = html.find(';', p) + 1;
            pendingBreak = std::string::npos;
            continue;
        }
        if (c != '<') {
            text += c;
            ++p;
            pendingBreak = std::string::npos;
            continue;
        }
        const std::size_t end = html.find('>', p);
        if (end == std::string::npos) {
            problem = "unclosed tag at " + std::to_string(p);
            return {};
        }
        const std::string tag = html.substr(p + 1, end - p - 1);
        p = end + 1;
        const bool closing = !tag.empty() && tag[0] == '/';
        const std::string name = tag.substr(closing ? 1 : 0, tag.find(' ') - (closing ? 1 : 0));
        if (kElements.count(name) == 0) {
            problem = "unexpected element <" + tag + ">";
            return {};
        }
        if (closing) {
            if (open.empty() || open.back() != name) {
                problem = "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
                return {};
            }
            open.pop_back();
            if (kInline.count(name) != 0) {
                continue;
            }
            if (pendingBreak != std::string::npos && name != "tr") {
                text.erase(pendingBreak, 1);
            }
            pendingBreak = std::string::npos;
            text += name == "td" ? "\t" : name == "p" || name == "li" || name == "tr" ? "\n" : "";
            continue;
        }
        // Attributes: name="value" pairs whose values hold no markup.
        for (std::size_t a = tag.find(' '); a != std::string::npos;) {
            const std::size_t eq = tag.find("=\"", a);
            const std::size_t close = eq == std::string::npos ? eq : tag.find('"', eq + 2);
            if (close == std::string::npos) {
                problem = "attribute without quoted value in <" + tag + ">";
                return {};
            }
            for (std::size_t v = eq + 2; v < close; ++v) {
                if (tag[v] == '<' || (tag[v] == '&' && !EntityProblem(tag, v, nullptr).empty())) {
                    problem = "unescaped markup in an attribute of <" + tag + ">";
                    return {};
                }
            }
            a = close + 1 < tag.size() ? close + 1 : std::string::npos;
            if (a != std::string::npos && tag[a] != ' ') {
                problem = "attributes run together in <" + tag + ">";
                return {};
            }
        }
        if (name == "br") {
            pendingBreak = text.size();
            text += '\n';
        } else {
            open.push_back(name);
            pendingBreak = std::string::npos;
        }
    }
    if (!open.empty()) {
        problem = "<" + open.back() + "> left open";
    }
    return text;
}

// Plain text as lines, for comparing with what the HTML shows: CR LF, CR and LF each end a line;
// controls the HTML cannot carry are U+FFFD; the last line's end does not count.
inline std::string AsLines(const std::string& text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            lines += '\n';
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            lines += "\xef\xbf\xbd";
        } else {
            lines += text[i];
        }
    }
    if (!lines.empty() && lines.back() == '\n') {
        lines.pop_back();
    }
    return lines;
}

// Empty when the property holds for the source.
inline std::string CheckRtfHtml(const std::string& source) {
    const std::string html = RtfToHtml(source);
    std::string problem;
    const std::string shown = AsLines(ReadHtml(html, problem));
    if (!problem.empty()) {
        return "malformed HTML (" + problem + "): " + html;
    }
    std::string plain;
    if (IsRtfSource(source)) {
        plain = RtfToPlainText(source);
    } else {
        for (char32_t c : DecodeUtf8(source, kDefaultCodePage)) {
            AppendUtf8(plain, c);
        }
    }
    if (shown != AsLines(plain)) {
        return "HTML shows\n[" + shown + "]\nbut the plain text is\n[" + AsLines(plain) +
               "]\nHTML: " + html;
    }
    return {};
}

} // namespace tw::testing
