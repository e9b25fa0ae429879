#include "expansion/rtf_escape.h"
#include "expansion/rtf_replace_paths.h"
#include "expansion/rtf_scanner.h"
#include "expansion/text_search.h"

#include <array>
#include <string_view>

namespace tw {

bool TextsCanOverlap(const std::string& a, const std::string& b) {
    const long long na = static_cast<long long>(a.size());
    const long long nb = static_cast<long long>(b.size());
    for (long long shift = 1 - nb; shift < na; ++shift) {
        const long long from = shift > 0 ? shift : 0;
        const long long to = shift + nb < na ? shift + nb : na;
        bool agree = true;
        for (long long i = from; i < to && agree; ++i) {
            agree = FoldAscii(static_cast<unsigned char>(a[static_cast<std::size_t>(i)])) ==
                    FoldAscii(static_cast<unsigned char>(b[static_cast<std::size_t>(i - shift)]));
        }
        if (agree && from < to) {
            return true;
        }
    }
    return false;
}

bool PassesAreIndependent(const std::vector<Replacement>& passes) {
    // The proof compares every pair of texts; a list too long to prove cheaply simply takes
    // the pass-by-pass way, which costs time in proportion to the reply, not to the list.
    constexpr std::size_t kProofBudget = 1 << 20;
    std::size_t names = 0;
    std::size_t all = 0;
    for (const Replacement& pass : passes) {
        names += pass.name.size();
        all += pass.name.size() + pass.value.size();
    }
    if (names != 0 && all > kProofBudget / names) {
        return false;
    }
    for (std::size_t i = 0; i < passes.size(); ++i) {
        for (std::size_t j = i + 1; j < passes.size(); ++j) {
            if (TextsCanOverlap(passes[i].name, passes[j].name) ||
                TextsCanOverlap(passes[i].value, passes[j].name)) {
                return false;
            }
        }
    }
    return true;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

struct Hit {
    std::size_t offset; // in the run's text
    std::size_t pass;
};

class OneScan {
public:
    OneScan(const std::string& source, const std::vector<Replacement>& passes)
        : src_(source), passes_(passes), finder_(source, FirstByte()) {
        for (std::size_t i = 0; i < passes_.size(); ++i) {
            const std::string& name = passes_[i].name;
            escaped_.push_back(EscapeRtfText(passes_[i].value));
            if (name.size() == 1) {
                shortNames_.push_back(i);
            } else {
                bySecond_[FoldAscii(static_cast<unsigned char>(name[1]))].push_back(i);
            }
        }
        for (const Replacement& pass : passes_) {
            const unsigned char c = FoldAscii(static_cast<unsigned char>(pass.name[0]));
            isFirst_[c] = true;
            if (c >= 'a' && c <= 'z') {
                isFirst_[c - 32] = true;
            }
            oneFirstByte_ = oneFirstByte_ && c == FoldAscii(FirstByte());
        }
    }

    std::string Run() {
        if (!MayHoldAName()) {
            return src_;
        }
        RtfScanner scanner(src_);
        bool open = false;
        RunInfo run;
        bool lastBareWord = false;
        bool lastOpenEscape = false;
        for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End;
             token = scanner.Next()) {
            if (token.inText) {
                if (!open) {
                    run =
                        RunInfo{token.begin, token.end, false, false, lastBareWord, lastOpenEscape};
                    open = true;
                }
                run.end = token.end;
                if (token.kind == RtfTokenKind::EscapedChar) {
                    run.escaped = true;
                    run.escapedFirst = run.escapedFirst || isFirst_[token.value];
                }
            } else if (open) {
                Process(run);
                open = false;
            }
            lastBareWord = token.kind == RtfTokenKind::ControlWord && !token.spaceDelimited;
            lastOpenEscape = token.openEscape;
        }
        if (open) {
            Process(run);
        }
        if (!changed_) {
            return src_;
        }
        out_.append(src_, copied_, std::string::npos);
        return std::move(out_);
    }

private:
    struct RunInfo {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool escaped = false;
        bool escapedFirst = false; // an escape stands for the first character of a name
        bool afterBareWord = false;
        bool locked = false;
    };

    // Most replies hold none of the names: a search for the bytes a name can start with
    // settles that without reading the markup.
    bool MayHoldAName() {
        if (isFirst_['\\'] || isFirst_['{'] || isFirst_['}']) {
            return true;
        }
        if (oneFirstByte_) {
            if (finder_.Next(0) != std::string_view::npos) {
                return true;
            }
        } else {
            for (unsigned char c : src_) {
                if (isFirst_[c]) {
                    return true;
                }
            }
        }
        // An escape \'hh may stand for a first byte, too.
        for (std::size_t p = src_.find('\'', 1); p != std::string::npos;
             p = src_.find('\'', p + 1)) {
            if (src_[p - 1] == '\\' && p + 2 < src_.size()) {
                const int hi = HexDigit(src_[p + 1]);
                const int lo = HexDigit(src_[p + 2]);
                if (hi >= 0 && lo >= 0 && isFirst_[static_cast<std::size_t>(hi * 16 + lo)]) {
                    return true;
                }
            }
        }
        return false;
    }

    unsigned char FirstByte() const { return static_cast<unsigned char>(passes_[0].name[0]); }

    // The pass whose name stands at `at`; at most one can, since no two names overlap.
    bool NameAt(std::string_view text, std::size_t at, std::size_t& pass) const {
        if (at + 1 < text.size()) {
            for (std::size_t i : bySecond_[FoldAscii(static_cast<unsigned char>(text[at + 1]))]) {
                if (MatchesAt(text, at, passes_[i].name)) {
                    pass = i;
                    return true;
                }
            }
        }
        for (std::size_t i : shortNames_) {
            if (MatchesAt(text, at, passes_[i].name)) {
                pass = i;
                return true;
            }
        }
        return false;
    }

    void FindInPlainRun(const RunInfo& run) {
        const std::string_view text(src_.data(), run.end);
        std::size_t pass = 0;
        if (oneFirstByte_) {
            for (std::size_t p = finder_.Next(run.begin); p < run.end;) {
                if (NameAt(text, p, pass)) {
                    hits_.push_back(Hit{p - run.begin, pass});
                    p = finder_.Next(p + passes_[pass].name.size());
                } else {
                    p = finder_.Next(p + 1);
                }
            }
            return;
        }
        for (std::size_t p = run.begin; p < run.end;) {
            if (isFirst_[static_cast<unsigned char>(src_[p])] && NameAt(text, p, pass)) {
                hits_.push_back(Hit{p - run.begin, pass});
                p += passes_[pass].name.size();
            } else {
                ++p;
            }
        }
    }

    bool HasRawCandidate(const RunInfo& run) {
        if (oneFirstByte_) {
            return finder_.Next(run.begin) < run.end;
        }
        for (std::size_t p = run.begin; p < run.end; ++p) {
            if (isFirst_[static_cast<unsigned char>(src_[p])]) {
                return true;
            }
        }
        return false;
    }

    void FindInText(std::string_view text) {
        std::size_t pass = 0;
        for (std::size_t p = 0; p < text.size();) {
            if (isFirst_[static_cast<unsigned char>(text[p])] && NameAt(text, p, pass)) {
                hits_.push_back(Hit{p, pass});
                p += passes_[pass].name.size();
            } else {
                ++p;
            }
        }
    }

    void Process(const RunInfo& run) {
        if (run.locked) {
            return;
        }
        hits_.clear();
        if (!run.escaped) {
            FindInPlainRun(run);
        } else if (run.escapedFirst || HasRawCandidate(run)) {
            decoded_ =
                DecodeRtfTextRun(std::string_view(src_).substr(run.begin, run.end - run.begin));
            FindInText(decoded_);
        }
        if (hits_.empty()) {
            return;
        }
        if (!changed_) {
            out_.reserve(src_.size() + src_.size() / 4);
            changed_ = true;
        }
        out_.append(src_, copied_, run.begin - copied_);
        if (run.afterBareWord) {
            out_ += ' ';
        }
        std::size_t srcPos = run.begin;
        std::size_t at = 0;
        for (const Hit& hit : hits_) {
            const std::size_t length = passes_[hit.pass].name.size();
            const std::size_t upTo = run.escaped ? SkipRtfTextChars(src_, srcPos, hit.offset - at)
                                                 : run.begin + hit.offset;
            out_.append(src_, srcPos, upTo - srcPos);
            out_ += escaped_[hit.pass];
            srcPos = run.escaped ? SkipRtfTextChars(src_, upTo, length) : upTo + length;
            at = hit.offset + length;
        }
        out_.append(src_, srcPos, run.end - srcPos);
        copied_ = run.end;
    }

    const std::string& src_;
    const std::vector<Replacement>& passes_;
    FirstByteFinder finder_;
    std::array<bool, 256> isFirst_{};
    bool oneFirstByte_ = true;
    std::vector<std::string> escaped_;
    std::array<std::vector<std::size_t>, 256> bySecond_;
    std::vector<std::size_t> shortNames_;
    std::vector<Hit> hits_;
    std::string decoded_;
    std::string out_;
    std::size_t copied_ = 0;
    bool changed_ = false;
};

} // namespace

std::string ReplaceInRtfOneScan(const std::string& source, const std::vector<Replacement>& passes) {
    std::vector<Replacement> live;
    for (const Replacement& pass : passes) {
        if (!pass.name.empty() && !pass.value.empty()) {
            live.push_back(pass);
        }
    }
    if (live.empty()) {
        return source;
    }
    return OneScan(source, live).Run();
}

} // namespace tw
