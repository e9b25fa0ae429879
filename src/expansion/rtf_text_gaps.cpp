// The run walker's sparse way: across long stretches without marks it follows only the
// braces and the few words that change how text is read, then reads every token from just
// before the next mark.
#include "expansion/rtf_byte_classes.h"
#include "expansion/rtf_scanner.h"
#include "expansion/rtf_text_runs.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

using namespace rtf_bytes;

// The next marked byte at or after `from`, or npos.
std::size_t RtfTextRunWalker::NextMark(std::size_t from) {
    std::size_t best = std::string_view::npos;
    for (std::size_t i = 0; i < kMaxNeedles; ++i) {
        std::size_t& next = nextNeedle_[i];
        if (next != std::string_view::npos && next < from) {
            const void* hit = from < src_.size()
                                  ? std::memchr(src_.data() + from, needles_[i], src_.size() - from)
                                  : nullptr;
            next = hit == nullptr
                       ? std::string_view::npos
                       : static_cast<std::size_t>(static_cast<const char*>(hit) - src_.data());
        }
        best = std::min(best, next);
    }
    return best;
}

// Moves pos_ to a token start at or before the next mark, with the state that holds there.
// False when no mark is left; sparse_ turns off when the tokens must all be read from pos_.
bool RtfTextRunWalker::SkipToMark() {
    if (pendingFallback_ > 0) {
        sparse_ = false;
        return true;
    }
    const std::size_t mark = NextMark(pos_);
    const std::size_t to = mark == std::string_view::npos ? src_.size() : MarkupBefore(mark);
    if (!FollowGroups(to)) {
        sparse_ = false;
        return true;
    }
    return mark != std::string_view::npos;
}

// Whether the backslash at `at` starts a token: backslashes pair up from the left.
bool RtfTextRunWalker::StartsToken(std::size_t at) const {
    std::size_t before = 0;
    while (at - before > pos_ && src_[at - before - 1] == '\\') {
        ++before;
    }
    return before % 2 == 0;
}

// The start of the last token before `mark` that is not text, or pos_: reading every token
// from there finds the run that holds the mark, whatever precedes it.
std::size_t RtfTextRunWalker::MarkupBefore(std::size_t mark) const {
    std::size_t q = mark;
    for (;;) {
        std::size_t s = q;
        while (s > pos_ && !IsStop(static_cast<unsigned char>(src_[s - 1]))) {
            --s;
        }
        if (s == pos_) {
            return pos_;
        }
        --s;
        std::size_t t = s;
        if (src_[s] == '\\') {
            if (!StartsToken(s)) {
                t = s - 1;
            }
        } else if (s > pos_ && src_[s - 1] == '\\' && StartsToken(s - 1)) {
            t = s - 1;
        }
        if (src_[t] != '\\' || t + 1 >= src_.size()) {
            return t;
        }
        const char next = src_[t + 1];
        const bool escapedChar = next == '\\' || next == '{' || next == '}' ||
                                 (next == '\'' && t + 3 < src_.size() &&
                                  HexValue(static_cast<unsigned char>(src_[t + 2])) >= 0 &&
                                  HexValue(static_cast<unsigned char>(src_[t + 3])) >= 0);
        if (!escapedChar) {
            return t;
        }
        q = t; // an escape may be text of the same run
    }
}

void RtfTextRunWalker::OpenGroup() {
    if (rootClosed_) {
        groups_.push_back(Group{true, 1});
    } else {
        groups_.push_back(groups_.empty() ? Group{} : groups_.back());
    }
}

// A group whose first token, at `at`, is \* or a destination word holds no document text.
void RtfTextRunWalker::HideDestination(std::size_t at) {
    const std::size_t size = src_.size();
    if (groups_.empty() || at + 1 >= size || src_[at] != '\\') {
        return;
    }
    std::size_t e = at + 1;
    while (e < size && IsLetter(static_cast<unsigned char>(src_[e]))) {
        ++e;
    }
    if (src_[at + 1] == '*' || IsHiddenRtfDestination(src_.substr(at + 1, e - at - 1))) {
        groups_.back().hidden = true;
    }
}

void RtfTextRunWalker::CloseGroup() {
    if (!groups_.empty()) {
        groups_.pop_back();
        rootClosed_ = rootClosed_ || groups_.empty();
    }
}

// Braces, and backslashes followed by b, u or a quote, in [from, from + 64), one bit each.
void RtfTextRunWalker::GapMasks(std::size_t from, std::uint64_t& braces,
                                std::uint64_t& words) const {
    const std::size_t size = src_.size();
    const std::size_t length = std::min(kBlock, size - from);
    braces = 0;
    words = 0;
#if defined(__SSE2__)
    alignas(16) char tail[kBlock + 16];
    const char* at = src_.data() + from;
    if (size - from < kBlock + 1) {
        std::memset(tail, 0, sizeof tail);
        std::memcpy(tail, at, length);
        at = tail;
    }
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i b = _mm_set1_epi8('b');
    const __m128i u = _mm_set1_epi8('u');
    const __m128i quote = _mm_set1_epi8('\'');
    for (std::size_t k = 0; k < kBlock; k += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k + 1));
        const __m128i brace = _mm_or_si128(_mm_cmpeq_epi8(v, open), _mm_cmpeq_epi8(v, close));
        const __m128i after = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(w, b), _mm_cmpeq_epi8(w, u)),
                                           _mm_cmpeq_epi8(w, quote));
        const __m128i word = _mm_and_si128(_mm_cmpeq_epi8(v, backslash), after);
        braces |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(brace))) << k;
        words |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(word))) << k;
    }
    if (length < kBlock) {
        const std::uint64_t valid = (std::uint64_t{1} << length) - 1;
        braces &= valid;
        words &= valid;
    }
#else
    for (std::size_t k = 0; k < length; ++k) {
        const char c = src_[from + k];
        if (c == '{' || c == '}') {
            braces |= std::uint64_t{1} << k;
        } else if (c == '\\' && from + k + 1 < size &&
                   (src_[from + k + 1] == 'b' || src_[from + k + 1] == 'u' ||
                    src_[from + k + 1] == '\'')) {
            words |= std::uint64_t{1} << k;
        }
    }
#endif
}

// Applies the braces in [pos_, to) and the words among them that change the state, and moves
// pos_ to `to`. False, with pos_ at a token start and its state, when a token there needs every
// token read: \bin data may hold anything, \u makes the tokens after it fallbacks, and an
// escape may stand for a marked byte.
bool RtfTextRunWalker::FollowGroups(std::size_t to) {
    const char* const s = src_.data();
    const std::size_t size = src_.size();
    bool groupStart = atGroupStart_;
    if (groupStart && pos_ < to) {
        HideDestination(pos_);
    }
    for (std::size_t from = pos_; from < to; from += kBlock) {
        std::uint64_t braces = 0;
        std::uint64_t words = 0;
        GapMasks(from, braces, words);
        const std::size_t limit = to - from;
        if (limit < kBlock) {
            const std::uint64_t valid = (std::uint64_t{1} << limit) - 1;
            braces &= valid;
            words &= valid;
        }
        for (std::uint64_t events = braces | words; events != 0; events &= events - 1) {
            const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(events));
            if (at < pos_) {
                continue; // inside a token applied before
            }
            const char c = s[at];
            if (c != '\\') {
                if (at > pos_ && s[at - 1] == '\\' && StartsToken(at - 1)) {
                    continue; // an escaped brace
                }
                if (c == '{') {
                    OpenGroup();
                    HideDestination(at + 1);
                } else {
                    CloseGroup();
                }
                pos_ = at + 1;
                groupStart = c == '{';
                lastBareWord_ = false;
                lastOpenEscape_ = false;
                continue;
            }
            if (!StartsToken(at)) {
                continue;
            }
            const char next = s[at + 1];
            if (next == '\'') {
                const int hi = at + 2 < size ? HexValue(static_cast<unsigned char>(s[at + 2])) : -1;
                const int lo = at + 3 < size ? HexValue(static_cast<unsigned char>(s[at + 3])) : -1;
                if (hi >= 0 && lo >= 0 && marked_[static_cast<std::size_t>(hi * 16 + lo)]) {
                    atGroupStart_ = groupStart;
                    return false;
                }
                continue;
            }
            std::size_t e = at + 1;
            while (e < size && IsLetter(static_cast<unsigned char>(s[e]))) {
                ++e;
            }
            const std::string_view word(s + at + 1, e - at - 1);
            const bool number =
                e < size &&
                (IsDigit(static_cast<unsigned char>(s[e])) ||
                 (s[e] == '-' && e + 1 < size && IsDigit(static_cast<unsigned char>(s[e + 1]))));
            if (word == "bin" || (word == "u" && number)) {
                atGroupStart_ = groupStart;
                return false;
            }
            if (word == "uc" && number && s[e] != '-' && !groups_.empty()) {
                long long parameter = 0;
                for (; e < size && IsDigit(static_cast<unsigned char>(s[e])); ++e) {
                    if (parameter < kParameterLimit) {
                        parameter = parameter * 10 + (s[e] - '0');
                    }
                }
                groups_.back().unicodeSkip =
                    static_cast<int>(std::clamp<long long>(parameter, 0, 16));
            } else if (word == "uc" && number) {
                atGroupStart_ = groupStart;
                return false;
            }
        }
    }
    if (pos_ == to) {
        atGroupStart_ = groupStart;
    } else {
        // The token at `to` is not text and sets the rest itself.
        atGroupStart_ = false;
        lastBareWord_ = false;
        lastOpenEscape_ = false;
        pos_ = to;
    }
    return true;
}

} // namespace tw
