#include "expansion/rtf_replace.h"

#include "expansion/code_pages.h"
#include "expansion/rtf_escape.h"
#include "expansion/rtf_scanner.h"
#include "expansion/text_search.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace tw {

namespace {

// A stretch of a run's text that is either original source or an inserted value.
struct Span {
    bool inserted = false;
    std::size_t length = 0;   // characters of text
    std::size_t srcBegin = 0; // original spans only
    std::size_t srcEnd = 0;
    std::u32string chars; // inserted spans only: the characters, one per byte of the run's text
};

// A value as the run's text holds it (code page bytes, "?" for a character the code page lacks,
// so names are matched as the document spells them) and as the characters it writes.
struct EncodedValue {
    std::string bytes;
    std::u32string chars;
};

EncodedValue EncodeValue(const std::string& utf8, int codePage) {
    EncodedValue value;
    value.chars = DecodeUtf8(utf8, codePage);
    for (char32_t c : value.chars) {
        value.bytes += static_cast<char>(CodePageByteOf(codePage, c).value_or('?'));
    }
    return value;
}

// A maximal stretch of document text with no markup inside it.
struct Run {
    std::size_t srcBegin = 0;
    std::size_t srcEnd = 0;
    // Directly after a control word that has no delimiting space: text put here must not
    // start with a letter or digit that the control word would swallow.
    bool afterBareWord = false;
    // Directly after a damaged hex escape that is still open: left as it is.
    bool locked = false;
    int unicodeSkip = 1; // the \ucN in force

    bool owned = false; // `text` holds the characters (escapes decoded, values inserted)
    bool changed = false;
    std::string text;
    std::vector<Span> spans; // only once changed
};

struct Match {
    std::size_t run;
    std::size_t offset;
};

void AppendSpan(std::vector<Span>& spans, const Span& span) {
    if (span.length == 0) {
        return;
    }
    if (!spans.empty()) {
        Span& last = spans.back();
        if (last.inserted && span.inserted) {
            last.length += span.length;
            last.chars += span.chars;
            return;
        }
        if (!last.inserted && !span.inserted && last.srcEnd == span.srcBegin) {
            last.length += span.length;
            last.srcEnd = span.srcEnd;
            return;
        }
    }
    spans.push_back(span);
}

// Walks a run's old spans in text order, copying or skipping stretches of them.
class SpanCursor {
public:
    SpanCursor(const std::vector<Span>& spans, std::string_view source)
        : spans_(spans), src_(source) {
        Enter();
    }

    void CopyTo(std::size_t target, std::vector<Span>& out) { Advance(target, &out); }
    void SkipTo(std::size_t target) { Advance(target, nullptr); }

private:
    void Enter() {
        within_ = 0;
        if (index_ < spans_.size() && !spans_[index_].inserted) {
            srcPos_ = spans_[index_].srcBegin;
        }
    }

    void Advance(std::size_t target, std::vector<Span>* out) {
        while (position_ < target && index_ < spans_.size()) {
            const Span& span = spans_[index_];
            const std::size_t take = std::min(span.length - within_, target - position_);
            Span piece;
            piece.inserted = span.inserted;
            piece.length = take;
            if (span.inserted) {
                piece.chars = span.chars.substr(within_, take);
            } else {
                piece.srcBegin = srcPos_;
                piece.srcEnd = within_ + take == span.length
                                   ? span.srcEnd
                                   : SkipRtfTextChars(src_, srcPos_, take);
                srcPos_ = piece.srcEnd;
            }
            if (out != nullptr) {
                AppendSpan(*out, piece);
            }
            within_ += take;
            position_ += take;
            if (within_ == span.length) {
                ++index_;
                Enter();
            }
        }
    }

    const std::vector<Span>& spans_;
    std::string_view src_;
    std::size_t index_ = 0;
    std::size_t within_ = 0;
    std::size_t srcPos_ = 0;
    std::size_t position_ = 0;
};

class RtfTextView {
public:
    explicit RtfTextView(const std::string& source) : src_(source), codePage_(RtfCodePage(source)) {
        Scan();
    }

    void Apply(const Replacement& pass) {
        std::vector<Match> matches;
        FindInPlainRuns(pass.name, matches);
        for (std::size_t r : ownedRuns_) {
            FindInOwnedRun(r, pass.name, matches);
        }
        if (matches.empty()) {
            return;
        }
        std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
            return a.run != b.run ? a.run < b.run : a.offset < b.offset;
        });
        const EncodedValue value = EncodeValue(pass.value, codePage_);
        std::vector<std::size_t> offsets;
        for (std::size_t i = 0; i < matches.size();) {
            const std::size_t r = matches[i].run;
            offsets.clear();
            for (; i < matches.size() && matches[i].run == r; ++i) {
                offsets.push_back(matches[i].offset);
            }
            Rewrite(r, offsets, pass.name.size(), value);
        }
    }

    std::string Render() const {
        std::string out;
        out.reserve(src_.size() + src_.size() / 8);
        std::size_t copied = 0;
        for (const Run& run : runs_) {
            if (!run.changed) {
                continue;
            }
            out.append(src_, copied, run.srcBegin - copied);
            if (run.afterBareWord) {
                out += ' ';
            }
            for (const Span& span : run.spans) {
                if (span.inserted) {
                    AppendRtfEscaped(out, span.chars, codePage_, run.unicodeSkip);
                } else {
                    out.append(src_, span.srcBegin, span.srcEnd - span.srcBegin);
                }
            }
            copied = run.srcEnd;
        }
        out.append(src_, copied, std::string::npos);
        return out;
    }

private:
    void Scan() {
        RtfScanner scanner(src_);
        bool open = false;
        bool escaped = false;
        bool lastBareWord = false;
        bool lastOpenEscape = false;
        for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End;
             token = scanner.Next()) {
            if (token.inText) {
                if (!open) {
                    Run run;
                    run.srcBegin = token.begin;
                    run.afterBareWord = lastBareWord;
                    run.locked = lastOpenEscape;
                    run.unicodeSkip = scanner.UnicodeSkip();
                    runs_.push_back(std::move(run));
                    open = true;
                    escaped = false;
                }
                runs_.back().srcEnd = token.end;
                escaped = escaped || token.kind == RtfTokenKind::EscapedChar;
            } else if (open) {
                Close(escaped);
                open = false;
            }
            lastBareWord = token.kind == RtfTokenKind::ControlWord && !token.spaceDelimited;
            lastOpenEscape = token.openEscape;
        }
        if (open) {
            Close(escaped);
        }
    }

    void Close(bool escaped) {
        if (!escaped) {
            return;
        }
        Run& run = runs_.back();
        run.text = DecodeRtfTextRun(
            std::string_view(src_).substr(run.srcBegin, run.srcEnd - run.srcBegin));
        run.owned = true;
        ownedRuns_.push_back(runs_.size() - 1);
    }

    // Runs without escapes are their own source, so one search over the whole source finds
    // every candidate; hits in markup or in owned runs are passed over.
    void FindInPlainRuns(const std::string& name, std::vector<Match>& matches) const {
        const std::string_view src(src_);
        FirstByteFinder finder(src, static_cast<unsigned char>(name[0]));
        std::size_t r = 0;
        std::size_t p = finder.Next(0);
        while (p != std::string_view::npos) {
            while (r < runs_.size() && runs_[r].srcEnd <= p) {
                ++r;
            }
            if (r == runs_.size()) {
                return;
            }
            const Run& run = runs_[r];
            if (run.srcBegin > p) {
                p = finder.Next(run.srcBegin);
            } else if (run.owned || run.locked) {
                p = finder.Next(run.srcEnd);
            } else if (name.size() <= run.srcEnd - p && MatchesAt(src, p, name)) {
                matches.push_back(Match{r, p - run.srcBegin});
                p = finder.Next(p + name.size());
            } else {
                p = finder.Next(p + 1);
            }
        }
    }

    void FindInOwnedRun(std::size_t r, const std::string& name, std::vector<Match>& matches) const {
        if (runs_[r].locked) {
            return;
        }
        const std::string_view text(runs_[r].text);
        FirstByteFinder finder(text, static_cast<unsigned char>(name[0]));
        for (std::size_t p = finder.Next(0); p != std::string_view::npos;) {
            if (MatchesAt(text, p, name)) {
                matches.push_back(Match{r, p});
                p = finder.Next(p + name.size());
            } else {
                p = finder.Next(p + 1);
            }
        }
    }

    void Rewrite(std::size_t r, const std::vector<std::size_t>& offsets, std::size_t nameLength,
                 const EncodedValue& value) {
        Run& run = runs_[r];
        if (!run.owned) {
            run.text.assign(src_, run.srcBegin, run.srcEnd - run.srcBegin);
            run.owned = true;
            ownedRuns_.push_back(r);
        }
        if (!run.changed) {
            run.spans.assign(1, Span{false, run.text.size(), run.srcBegin, run.srcEnd, {}});
            run.changed = true;
        }
        std::string text;
        text.reserve(run.text.size() + offsets.size() * value.bytes.size());
        std::vector<Span> spans;
        SpanCursor cursor(run.spans, src_);
        std::size_t at = 0;
        for (std::size_t offset : offsets) {
            cursor.CopyTo(offset, spans);
            text.append(run.text, at, offset - at);
            AppendSpan(spans, Span{true, value.bytes.size(), 0, 0, value.chars});
            text += value.bytes;
            cursor.SkipTo(offset + nameLength);
            at = offset + nameLength;
        }
        cursor.CopyTo(run.text.size(), spans);
        text.append(run.text, at, std::string::npos);
        run.text.swap(text);
        run.spans.swap(spans);
    }

    const std::string& src_;
    int codePage_;
    std::vector<Run> runs_;
    std::vector<std::size_t> ownedRuns_;
};

} // namespace

std::string ReplaceInRtf(const std::string& source, const std::vector<Replacement>& passes) {
    if (!IsRtfSource(source)) {
        return ReplaceInPlainText(source, passes);
    }
    RtfTextView view(source);
    for (const Replacement& pass : passes) {
        if (!pass.name.empty() && !pass.value.empty()) {
            view.Apply(pass);
        }
    }
    return view.Render();
}

std::string ReplaceInRtf(const std::string& source, const std::string& names,
                         const std::string& values) {
    const auto passes = PairReplacements(names, values);
    return passes ? ReplaceInRtf(source, *passes) : source;
}

std::string ReplaceInPlainText(const std::string& text, const std::vector<Replacement>& passes) {
    std::string current = text;
    std::string next;
    for (const Replacement& pass : passes) {
        if (pass.name.empty() || pass.value.empty()) {
            continue;
        }
        const std::string_view view(current);
        FirstByteFinder finder(view, static_cast<unsigned char>(pass.name[0]));
        next.clear();
        std::string value;
        std::size_t copied = 0;
        for (std::size_t p = finder.Next(0); p != std::string_view::npos;) {
            if (MatchesAt(view, p, pass.name)) {
                if (value.empty()) {
                    value = EncodeValue(pass.value, kDefaultCodePage).bytes;
                }
                next.append(current, copied, p - copied);
                next += value;
                copied = p + pass.name.size();
                p = finder.Next(copied);
            } else {
                p = finder.Next(p + 1);
            }
        }
        if (copied == 0 && next.empty()) {
            continue;
        }
        next.append(current, copied, std::string::npos);
        current.swap(next);
    }
    return current;
}

} // namespace tw
