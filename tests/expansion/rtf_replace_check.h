#pragma once
// Properties every replacement must keep, whatever the input: shared by the fuzz target and
// the seeded random test. Returns an empty string when all hold, else what went wrong.
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_replace.h"
#include "expansion/rtf_replace_paths.h"
#include "expansion/rtf_scanner.h"
#include "expansion/rtf_text_runs.h"

#include <array>
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
        if (t.inText) {
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

// The text runs that hold marks, with their marks, as the tokenizer gives them, written out for
// comparison.
inline std::string TokenizerRuns(std::string_view source, const std::array<bool, 256>& marked) {
    std::string runs;
    RtfScanner scanner(source);
    bool open = false;
    bool bareWord = false;
    bool openEscape = false;
    bool escaped = false;
    bool escapedMarked = false;
    std::string marks;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool anyMark = false;
    const auto close = [&] {
        if (anyMark || escapedMarked) {
            runs += "[" + std::to_string(begin) + "," + std::to_string(end) + ")" +
                    (escaped ? "e" : "") + (escapedMarked ? "m" : "") + marks + ";";
        }
    };
    for (RtfToken t = scanner.Next(); t.kind != RtfTokenKind::End; t = scanner.Next()) {
        if (t.inText) {
            if (!open) {
                open = true;
                begin = t.begin;
                escaped = false;
                escapedMarked = false;
                anyMark = false;
                marks = std::string(bareWord ? "b" : "") + (openEscape ? "l" : "");
            }
            end = t.end;
            if (t.kind == RtfTokenKind::EscapedChar) {
                escaped = true;
                escapedMarked = escapedMarked || marked[t.value];
            } else {
                for (std::size_t p = t.begin; p < t.end; ++p) {
                    if (marked[static_cast<unsigned char>(source[p])]) {
                        anyMark = true;
                        marks += " " + std::to_string(p);
                    }
                }
            }
        } else if (open) {
            close();
            open = false;
        }
        bareWord = t.kind == RtfTokenKind::ControlWord && !t.spaceDelimited;
        openEscape = t.openEscape;
    }
    if (open) {
        close();
    }
    return runs;
}

// The same, as the run walker gives them. Only runs that hold a mark count: the walker may
// pass over the others.
inline std::string WalkerRuns(std::string_view source, const std::array<bool, 256>& marked,
                              std::size_t farMark = 1024) {
    std::string runs;
    RtfTextRunWalker walker(source, marked, farMark);
    for (RtfTextRun run; walker.Next(run);) {
        if (walker.Marks().empty() && !run.escapedMarked) {
            continue;
        }
        runs += "[" + std::to_string(run.begin) + "," + std::to_string(run.end) + ")" +
                (run.escaped ? "e" : "") + (run.escapedMarked ? "m" : "") +
                (run.afterBareWord ? "b" : "") + (run.locked ? "l" : "");
        for (std::size_t p : walker.Marks()) {
            runs += " " + std::to_string(p);
        }
        runs += ";";
    }
    return runs;
}

// The bytes names start with, in both cases.
inline std::array<bool, 256> FirstBytesOf(const std::string& names) {
    std::array<bool, 256> marked{};
    bool atStart = true;
    for (char c : names) {
        if (atStart) {
            const unsigned char folded = FoldAscii(static_cast<unsigned char>(c));
            marked[folded] = true;
            if (folded >= 'a' && folded <= 'z') {
                marked[folded - 32] = true;
            }
        }
        atStart = c == ',';
    }
    return marked;
}

inline std::string CheckReplacement(const std::string& source, const std::string& names,
                                    const std::string& values) {
    // The walker that one scan relies on must see the tokenizer's runs exactly.
    const std::array<bool, 256> marked = FirstBytesOf(names);
    const std::string expected = TokenizerRuns(source, marked);
    if (WalkerRuns(source, marked) != expected) {
        return "text runs differ from the tokenizer's";
    }
    // Following only braces between any two marks must find the same runs.
    if (WalkerRuns(source, marked, 0) != expected) {
        return "text runs differ from the tokenizer's when marks are far apart";
    }
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
    // One scan is a shortcut of pass by pass and must agree with it wherever it is taken.
    if (const auto passes = PairReplacements(names, values);
        passes && PassesAreIndependent(*passes) &&
        ReplaceInRtfOneScan(source, *passes) != ReplaceInRtfPassByPass(source, *passes)) {
        return "one scan and pass by pass disagree";
    }
    // Expanding again with the same lists must leave markup alone too (values may hold names).
    const std::string twice = ReplaceInRtf(out, names, values);
    if (MarkupOf(twice) != MarkupOf(source)) {
        return "markup changed on a second pass";
    }
    return "";
}

} // namespace tw::testing
