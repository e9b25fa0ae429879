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

struct Hit {
    std::size_t offset; // in the run's text
    std::size_t pass;
};

class OneScan {
public:
    OneScan(const std::string& source, const std::vector<Replacement>& passes)
        : src_(source), passes_(passes), finder_(source, FirstByte()) {
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
        RtfScanner scanner(src_);
        bool open = false;
        RunInfo run;
        bool lastBareWord = false;
        bool lastOpenEscape = false;
        for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End;
             token = scanner.Next()) {
            if (token.inText) {
                if (!open) {
                    run = RunInfo{token.begin, token.end, false, lastBareWord, lastOpenEscape};
                    open = true;
                }
                run.end = token.end;
                run.escaped = run.escaped || token.kind == RtfTokenKind::EscapedChar;
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
        bool afterBareWord = false;
        bool locked = false;
    };

    unsigned char FirstByte() const { return static_cast<unsigned char>(passes_[0].name[0]); }

    // The pass whose name stands at `at`; at most one can, since no two names overlap.
    bool NameAt(std::string_view text, std::size_t at, std::size_t& pass) const {
        for (std::size_t i = 0; i < passes_.size(); ++i) {
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
        } else {
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
            AppendRtfEscaped(out_, passes_[hit.pass].value);
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
