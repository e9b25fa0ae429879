#pragma once
// Properties every replacement must keep, whatever the input: shared by the fuzz target and
// the seeded random test. Returns an empty string when all hold, else what went wrong.
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_replace.h"
#include "expansion/rtf_scanner.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw::testing {

// The markup of a source as a comparable sequence: every token that is not document text,
// except the breaks and tabs that escaped values add, and without delimiter spaces.
inline std::vector<std::string> MarkupOf(std::string_view source) {
    std::vector<std::string> markup;
    RtfScanner scanner(source);
    for (RtfToken t = scanner.Next(); t.kind != RtfTokenKind::End; t = scanner.Next()) {
        // Characters a value brings as \uN with their fallbacks are text, too.
        if (t.inText || t.fallback || (t.kind == RtfTokenKind::ControlWord && t.word == "u")) {
            continue;
        }
        std::string item(1, static_cast<char>('A' + static_cast<int>(t.kind)));
        if (t.kind == RtfTokenKind::ControlWord) {
            if (t.word == "line" || t.word == "tab") {
                continue;
            }
            item += std::string(t.word);
            if (t.hasParameter) {
                item += '=' + std::to_string(t.parameter);
            }
        } else if (t.kind == RtfTokenKind::GroupOpen || t.kind == RtfTokenKind::GroupClose) {
            // The brace says it all.
        } else {
            item += source.substr(t.begin, t.end - t.begin);
        }
        markup.push_back(std::move(item));
    }
    return markup;
}

inline std::string CheckReplacement(const std::string& source, const std::string& names,
                                    const std::string& values) {
    const std::string out = ReplaceInRtf(source, names, values);
    (void)RtfToPlainText(out);
    if (!IsRtfSource(source)) {
        return "";
    }
    if (IsBalancedRtf(out) != IsBalancedRtf(source)) {
        return "group balance changed";
    }
    if (MarkupOf(out) != MarkupOf(source)) {
        return "markup changed";
    }
    // Expanding again with the same lists must leave markup alone too (values may hold names).
    const std::string twice = ReplaceInRtf(out, names, values);
    if (MarkupOf(twice) != MarkupOf(source)) {
        return "markup changed on a second pass";
    }
    return "";
}

} // namespace tw::testing
