#include "expansion/rtf_escape.h"
#include "expansion/rtf_byte_classes.h"
#include "expansion/rtf_replace_paths.h"
#include "expansion/rtf_text_runs.h"
#include "expansion/text_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

namespace {

// A text with its letters folded to lower case and the set of its bytes after the first.
struct FoldedText {
    explicit FoldedText(const std::string& text) : folded(text) {
        for (std::size_t i = 0; i < folded.size(); ++i) {
            const unsigned char c = FoldAscii(static_cast<unsigned char>(folded[i]));
            folded[i] = static_cast<char>(c);
            if (i > 0) {
                rest[c / 64] |= std::uint64_t{1} << (c % 64);
            }
        }
    }
    bool RestHas(char c) const {
        const unsigned char u = static_cast<unsigned char>(c);
        return (rest[u / 64] >> (u % 64)) & 1;
    }
    std::string folded;
    std::array<std::uint64_t, 4> rest{};
};

// Every placement starts one text at some character of the other, so only the places that
// hold the other's first character need comparing.
bool FoldedCanOverlap(const FoldedText& a, const FoldedText& b) {
    const std::string_view x(a.folded);
    const std::string_view y(b.folded);
    if (x.empty() || y.empty()) {
        return false;
    }
    const auto startsAt = [](std::string_view outer, std::string_view inner, std::size_t at) {
        const std::size_t length = std::min(outer.size() - at, inner.size());
        return outer.compare(at, length, inner.substr(0, length)) == 0;
    };
    if (startsAt(x, y, 0)) {
        return true;
    }
    if (a.RestHas(y[0])) {
        for (std::size_t at = x.find(y[0], 1); at != std::string_view::npos;
             at = x.find(y[0], at + 1)) {
            if (startsAt(x, y, at)) {
                return true;
            }
        }
    }
    if (b.RestHas(x[0])) {
        for (std::size_t at = y.find(x[0], 1); at != std::string_view::npos;
             at = y.find(x[0], at + 1)) {
            if (startsAt(y, x, at)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool TextsCanOverlap(const std::string& a, const std::string& b) {
    return FoldedCanOverlap(FoldedText(a), FoldedText(b));
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
    std::vector<FoldedText> folded;
    folded.reserve(passes.size() * 2);
    for (const Replacement& pass : passes) {
        folded.emplace_back(pass.name);
        folded.emplace_back(pass.value);
    }
    for (std::size_t i = 0; i < passes.size(); ++i) {
        for (std::size_t j = i + 1; j < passes.size(); ++j) {
            if (FoldedCanOverlap(folded[2 * i], folded[2 * j]) ||
                FoldedCanOverlap(folded[2 * i + 1], folded[2 * j])) {
                return false;
            }
        }
    }
    return true;
}

namespace {

// How an escaped value writes a line break.
constexpr std::string_view kLineBreak = "\\line ";

struct Hit {
    std::size_t offset; // in the run's text
    std::size_t pass;
};

// Finds which name, if any, stands at a position. Short names are compared sixteen bytes at
// a time, case folded once per position.
class NameTable {
public:
    explicit NameTable(const std::vector<const Replacement*>& passes) {
        for (std::size_t i = 0; i < passes.size(); ++i) {
            const std::string& name = passes[i]->name;
            Entry entry{i, name.size(), {}, 0};
            for (std::size_t k = 0; k < name.size() && k < kWidth; ++k) {
                entry.folded[k] = static_cast<char>(FoldAscii(static_cast<unsigned char>(name[k])));
                entry.lengthMask |= 1u << k;
            }
            entries_.push_back(entry);
            names_.push_back(&name);
            if (name.size() == 1) {
                shortNames_.push_back(i);
            } else {
                bySecond_[FoldAscii(static_cast<unsigned char>(name[1]))].push_back(i);
            }
        }
    }

    // The pass whose name stands at `at` and ends by `limit`; at most one can, since no two
    // names overlap. `text` may go on past `limit`.
    bool At(std::string_view text, std::size_t at, std::size_t limit, std::size_t& pass) const {
        if (at + 1 < limit) {
            const auto& bucket = bySecond_[FoldAscii(static_cast<unsigned char>(text[at + 1]))];
            if (!bucket.empty() && Find(bucket, text, at, limit, pass)) {
                return true;
            }
        }
        return Find(shortNames_, text, at, limit, pass);
    }

private:
    static constexpr std::size_t kWidth = 16;
    struct Entry {
        std::size_t pass;
        std::size_t length;
        char folded[kWidth];
        unsigned lengthMask;
    };

    bool Find(const std::vector<std::size_t>& bucket, std::string_view text, std::size_t at,
              std::size_t limit, std::size_t& pass) const {
#if defined(__SSE2__)
        if (at + kWidth <= text.size()) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
            const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)),
                                                _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
            const __m128i folded = _mm_or_si128(v, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
            for (std::size_t i : bucket) {
                const Entry& entry = entries_[i];
                if (entry.length > limit - at) {
                    continue;
                }
                if (entry.length > kWidth) {
                    if (MatchesAt(text, at, *names_[i])) {
                        pass = i;
                        return true;
                    }
                    continue;
                }
                const __m128i name =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(entry.folded));
                const unsigned equal =
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(folded, name)));
                if ((equal & entry.lengthMask) == entry.lengthMask) {
                    pass = i;
                    return true;
                }
            }
            return false;
        }
#endif
        for (std::size_t i : bucket) {
            if (entries_[i].length <= limit - at && MatchesAt(text, at, *names_[i])) {
                pass = i;
                return true;
            }
        }
        return false;
    }

    std::vector<Entry> entries_;
    std::vector<const std::string*> names_;
    std::array<std::vector<std::size_t>, 256> bySecond_;
    std::vector<std::size_t> shortNames_;
};

class OneScan {
public:
    OneScan(const std::string& source, const std::vector<const Replacement*>& passes)
        : src_(source), passes_(passes), names_(passes) {
        for (const Replacement* pass : passes_) {
            escaped_.push_back(EscapeRtfText(pass->value));
            const unsigned char c = FoldAscii(static_cast<unsigned char>(pass->name[0]));
            isFirst_[c] = true;
            if (c >= 'a' && c <= 'z') {
                isFirst_[c - 32] = true;
            }
            oneFirstByte_ = oneFirstByte_ && c == FoldAscii(FirstByte());
        }
    }

    std::optional<std::string> Run() {
        if (!MayHoldAName()) {
            return std::nullopt;
        }
        RtfTextRunWalker walker(src_, isFirst_);
        for (RtfTextRun run; walker.Next(run);) {
            Process(run, walker.Marks());
        }
        if (!changed_) {
            return std::nullopt;
        }
        out_.append(src_.data() + copied_, src_.size() - copied_);
        return std::move(out_);
    }

private:
    // Most replies hold none of the names: a search for the bytes a name can start with
    // settles that without reading the markup.
    bool MayHoldAName() {
        if (isFirst_['\\'] || isFirst_['{'] || isFirst_['}']) {
            return true;
        }
        if (oneFirstByte_) {
            if (FirstByteFinder(src_, FirstByte()).Next(0) != std::string_view::npos) {
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
                const int hi = rtf_bytes::HexValue(src_[p + 1]);
                const int lo = rtf_bytes::HexValue(src_[p + 2]);
                if (hi >= 0 && lo >= 0 && isFirst_[static_cast<std::size_t>(hi * 16 + lo)]) {
                    return true;
                }
            }
        }
        return false;
    }

    unsigned char FirstByte() const { return static_cast<unsigned char>(passes_[0]->name[0]); }

    void FindInText(std::string_view text) {
        std::size_t pass = 0;
        for (std::size_t p = 0; p < text.size();) {
            if (isFirst_[static_cast<unsigned char>(text[p])] &&
                names_.At(text, p, text.size(), pass)) {
                hits_.push_back(Hit{p, pass});
                p += passes_[pass]->name.size();
            } else {
                ++p;
            }
        }
    }

    void Process(const RtfTextRun& run, const std::vector<std::size_t>& marks) {
        if (run.locked) {
            return;
        }
        hits_.clear();
        if (!run.escaped) {
            // The marks are every place a name can start, in order.
            std::size_t pass = 0;
            std::size_t free = run.begin;
            for (std::size_t p : marks) {
                if (p >= free && names_.At(src_, p, run.end, pass)) {
                    hits_.push_back(Hit{p - run.begin, pass});
                    free = p + passes_[pass]->name.size();
                }
            }
        } else if (run.escapedMarked || !marks.empty()) {
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
        out_.append(src_.data() + copied_, run.begin - copied_);
        if (run.afterBareWord) {
            out_ += ' ';
        }
        std::size_t srcPos = run.begin;
        std::size_t at = 0;
        const std::string* previous = nullptr;
        for (const Hit& hit : hits_) {
            const std::size_t length = passes_[hit.pass]->name.size();
            const std::size_t upTo = run.escaped ? SkipRtfTextChars(src_, srcPos, hit.offset - at)
                                                 : run.begin + hit.offset;
            out_.append(src_.data() + srcPos, upTo - srcPos);
            const std::string& value = passes_[hit.pass]->value;
            // Values that meet are one text: a CR ending one and an LF starting the next make a
            // single line break.
            const bool joined = previous != nullptr && upTo == srcPos && previous->back() == '\r' &&
                                value.front() == '\n';
            out_.append(escaped_[hit.pass], joined ? kLineBreak.size() : 0, std::string::npos);
            previous = &value;
            srcPos = run.escaped ? SkipRtfTextChars(src_, upTo, length) : upTo + length;
            at = hit.offset + length;
        }
        out_.append(src_.data() + srcPos, run.end - srcPos);
        copied_ = run.end;
    }

    const std::string& src_;
    const std::vector<const Replacement*>& passes_;
    NameTable names_;
    std::array<bool, 256> isFirst_{};
    bool oneFirstByte_ = true;
    std::vector<std::string> escaped_;
    std::vector<Hit> hits_;
    std::string decoded_;
    std::string out_;
    std::size_t copied_ = 0;
    bool changed_ = false;
};

} // namespace

std::optional<std::string> ReplaceInRtfOneScanIfChanged(const std::string& source,
                                                        const std::vector<Replacement>& passes) {
    std::vector<const Replacement*> live;
    for (const Replacement& pass : passes) {
        if (!pass.name.empty() && !pass.value.empty()) {
            live.push_back(&pass);
        }
    }
    if (live.empty()) {
        return std::nullopt;
    }
    return OneScan(source, live).Run();
}

std::string ReplaceInRtfOneScan(const std::string& source, const std::vector<Replacement>& passes) {
    std::optional<std::string> out = ReplaceInRtfOneScanIfChanged(source, passes);
    return out ? std::move(*out) : source;
}

} // namespace tw
