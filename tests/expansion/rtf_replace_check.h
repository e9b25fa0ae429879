#pragma once
// Properties every replacement must keep, whatever the input: shared by the fuzz target and
// the seeded random test. Returns an empty string when all hold, else what went wrong.
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_replace.h"
#include "expansion/rtf_scanner.h"

#include <string>
#include <string_view>

namespace tw::testing {

// The markup of a source, token by token: every token that is not document text, except the
// breaks and tabs that escaped values add. Characters a value brings as \uN with their
// fallbacks are text, too.
class MarkupReader {
public:
    explicit MarkupReader(std::string_view source) : source_(source), scanner_(source) {}

    RtfToken Next() {
        for (;;) {
            const RtfToken t = scanner_.Next();
            const bool valueMarkup = t.kind == RtfTokenKind::ControlWord &&
                                     (t.word == "u" || t.word == "line" || t.word == "tab");
            if (t.kind == RtfTokenKind::End || !(t.inText || t.fallback || valueMarkup)) {
                return t;
            }
        }
    }

    std::string_view Bytes(const RtfToken& t) const {
        return source_.substr(t.begin, t.end - t.begin);
    }

private:
    std::string_view source_;
    RtfScanner scanner_;
};

// Same markup, delimiter spaces of control words aside. Walks both at once: long expansions
// are compared without building anything.
inline bool SameMarkup(std::string_view a, std::string_view b) {
    MarkupReader left(a);
    MarkupReader right(b);
    for (;;) {
        const RtfToken x = left.Next();
        const RtfToken y = right.Next();
        if (x.kind != y.kind) {
            return false;
        }
        switch (x.kind) {
        case RtfTokenKind::End:
            return true;
        case RtfTokenKind::GroupOpen:
        case RtfTokenKind::GroupClose:
            break;
        case RtfTokenKind::ControlWord:
            if (x.word != y.word || x.hasParameter != y.hasParameter ||
                (x.hasParameter && x.parameter != y.parameter)) {
                return false;
            }
            break;
        default:
            if (left.Bytes(x) != right.Bytes(y)) {
                return false;
            }
            break;
        }
    }
}

// A first expansion longer than `expandAgainUpTo` is not expanded again; `cut`, when given, says
// so.
inline std::string CheckReplacement(const std::string& source, const std::string& names,
                                    const std::string& values,
                                    std::size_t expandAgainUpTo = std::string::npos,
                                    bool* cut = nullptr) {
    const std::string out = ReplaceInRtf(source, names, values);
    (void)RtfToPlainText(out);
    if (!IsRtfSource(source)) {
        return "";
    }
    if (!SameMarkup(out, source)) {
        // Equal markup holds the same braces, so the balance only names the difference.
        return IsBalancedRtf(out) != IsBalancedRtf(source) ? "group balance changed"
                                                           : "markup changed";
    }
    // Expanding again with the same lists must leave markup alone too (values may hold names).
    if (out.size() > expandAgainUpTo) {
        if (cut) {
            *cut = true;
        }
        return "";
    }
    const std::string twice = ReplaceInRtf(out, names, values);
    if (!SameMarkup(twice, source)) {
        return "markup changed on a second pass";
    }
    return "";
}

} // namespace tw::testing
