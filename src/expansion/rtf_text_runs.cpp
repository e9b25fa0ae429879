#include "expansion/rtf_text_runs.h"

#include "expansion/rtf_scanner.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

namespace {

bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int HexValue(unsigned char c) {
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

bool IsStop(unsigned char c) {
    return c < 0x20 || c == '\\' || c == '{' || c == '}';
}

constexpr long long kParameterLimit = 1LL << 40;
constexpr std::size_t kBlock = 64;

} // namespace

RtfTextRunWalker::RtfTextRunWalker(std::string_view source, const std::array<bool, 256>& marked,
                                   std::size_t farMark)
    : src_(source), marked_(marked), farMark_(farMark) {
    std::size_t needles = 0;
    bool markedStop = false;
    for (int c = 0; c < 256; ++c) {
        const bool stop = IsStop(static_cast<unsigned char>(c));
        stopOrMarked_[c] = marked_[c] || stop;
        markedStop = markedStop || (marked_[c] && stop);
        if (marked_[c] && !stop) {
            if (needles < kMaxNeedles) {
                needles_[needles] = static_cast<unsigned char>(c);
            }
            ++needles;
        }
    }
#if defined(__SSE2__)
    blockSearch_ = needles <= kMaxNeedles;
#endif
    // Escapes such as \{ can stand for a marked markup byte; only reading every token sees them.
    sparse_ = needles >= 1 && needles <= kMaxNeedles && !markedStop;
    for (std::size_t i = 0; i < kMaxNeedles; ++i) {
        const void* hit = i < needles && !src_.empty()
                              ? std::memchr(src_.data(), needles_[i], src_.size())
                              : nullptr;
        nextNeedle_[i] =
            hit == nullptr ? std::string_view::npos
                           : static_cast<std::size_t>(static_cast<const char*>(hit) - src_.data());
    }
    // Unused needle places repeat a stop byte, so that every block does the same work.
    for (std::size_t i = std::min(needles, kMaxNeedles); i < kMaxNeedles; ++i) {
        needles_[i] = '\\';
    }
    groups_.reserve(16);
}

std::uint64_t RtfTextRunWalker::BlockMask(std::size_t from) const {
    const std::size_t size = src_.size();
    const std::size_t length = std::min(kBlock, size - from);
#if defined(__SSE2__)
    if (blockSearch_) {
        alignas(16) char tail[kBlock];
        const char* at = src_.data() + from;
        if (length < kBlock) {
            std::memset(tail, 0, kBlock);
            std::memcpy(tail, at, length);
            at = tail;
        }
        const __m128i low = _mm_set1_epi8(0x1f);
        const __m128i backslash = _mm_set1_epi8('\\');
        const __m128i open = _mm_set1_epi8('{');
        const __m128i close = _mm_set1_epi8('}');
        const __m128i n0 = _mm_set1_epi8(static_cast<char>(needles_[0]));
        const __m128i n1 = _mm_set1_epi8(static_cast<char>(needles_[1]));
        const __m128i n2 = _mm_set1_epi8(static_cast<char>(needles_[2]));
        const __m128i n3 = _mm_set1_epi8(static_cast<char>(needles_[3]));
        std::uint64_t mask = 0;
        for (std::size_t k = 0; k < kBlock; k += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k));
            __m128i hit = _mm_cmpeq_epi8(_mm_min_epu8(v, low), v);
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, backslash));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, open));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, close));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n0));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n1));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n2));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n3));
            mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hit))) << k;
        }
        return length < kBlock ? mask & ((std::uint64_t{1} << length) - 1) : mask;
    }
#endif
    std::uint64_t mask = 0;
    for (std::size_t k = 0; k < length; ++k) {
        if (stopOrMarked_[static_cast<unsigned char>(src_[from + k])]) {
            mask |= std::uint64_t{1} << k;
        }
    }
    return mask;
}

// The first byte at or after `from` that is markup or marked; the source size when none is.
inline std::size_t RtfTextRunWalker::NextEvent(std::size_t from) {
    if (from - blockBase_ < kBlock) {
        const std::uint64_t mask = blockMask_ & (~std::uint64_t{0} << (from - blockBase_));
        if (mask != 0) {
            return blockBase_ + static_cast<std::size_t>(__builtin_ctzll(mask));
        }
        from = blockBase_ + kBlock;
    }
    const std::size_t size = src_.size();
    for (; from < size; from += kBlock) {
        blockBase_ = from;
        blockMask_ = BlockMask(from);
        if (blockMask_ != 0) {
            return from + static_cast<std::size_t>(__builtin_ctzll(blockMask_));
        }
    }
    return size;
}

bool RtfTextRunWalker::Next(RtfTextRun& run) {
    while (pos_ < src_.size()) {
        std::size_t stopAfter = src_.size();
        // Marks close together are met by reading on; only a long way without one is worth
        // looking ahead for.
        if (sparse_ && pos_ > nearMark_ && pos_ - nearMark_ > farMark_) {
            const std::size_t mark = NextMark(pos_);
            if (mark == std::string_view::npos || mark - pos_ > farMark_) {
                if (!SkipToMark()) {
                    return false;
                }
                if (sparse_) {
                    stopAfter = NextMark(pos_);
                }
            }
            nearMark_ = mark;
        }
        if (NextRun(run, stopAfter)) {
            if (!marks_.empty()) {
                nearMark_ = marks_.back();
            }
            return true;
        }
    }
    return false;
}

// Reads every token from pos_ until a run has ended, or until it is past `stopAfter` with no
// run open.
bool RtfTextRunWalker::NextRun(RtfTextRun& run, std::size_t stopAfter) {
    const char* const s = src_.data();
    const std::size_t size = src_.size();
    std::size_t pos = pos_;
    bool lastBare = lastBareWord_;
    bool lastOpen = lastOpenEscape_;
    bool open = false;
    // Every token that is not document text ends the run that is open.
    const auto markup = [&](bool bareWord, bool openEscape) {
        lastBare = bareWord;
        lastOpen = openEscape;
        return open;
    };
    const auto inText = [&](std::size_t begin, std::size_t end) {
        if (!open) {
            open = true;
            run = RtfTextRun{begin, end, false, false, lastBare, lastOpen};
            marks_.clear();
        }
        run.end = end;
        lastBare = false;
        lastOpen = false;
    };
    while (pos < size) {
        const unsigned char c = static_cast<unsigned char>(s[pos]);
        bool ended = false;
        if (!IsStop(c)) {
            atGroupStart_ = false;
            if (pendingFallback_ > 0) {
                --pendingFallback_;
                ++pos;
                ended = markup(false, false);
            } else if (!TextAllowed()) {
                std::size_t p = NextEvent(pos);
                while (p < size && !IsStop(static_cast<unsigned char>(s[p]))) {
                    p = NextEvent(p + 1);
                }
                pos = p;
                ended = markup(false, false);
            } else {
                inText(pos, pos);
                std::size_t p = NextEvent(pos);
                while (p < size && !IsStop(static_cast<unsigned char>(s[p]))) {
                    marks_.push_back(p);
                    p = NextEvent(p + 1);
                }
                pos = p;
                run.end = p;
            }
        } else if (c == '\\') {
            if (pos + 1 < size && IsLetter(static_cast<unsigned char>(s[pos + 1]))) {
                std::size_t p = pos + 2;
                while (p < size && IsLetter(static_cast<unsigned char>(s[p]))) {
                    ++p;
                }
                const std::string_view word(s + pos + 1, p - pos - 1);
                bool negative = false;
                if (p + 1 < size && s[p] == '-' && IsDigit(static_cast<unsigned char>(s[p + 1]))) {
                    negative = true;
                    ++p;
                }
                bool hasParameter = false;
                long long parameter = 0;
                while (p < size && IsDigit(static_cast<unsigned char>(s[p]))) {
                    hasParameter = true;
                    if (parameter < kParameterLimit) {
                        parameter = parameter * 10 + (s[p] - '0');
                    }
                    ++p;
                }
                const bool spaceDelimited = p < size && s[p] == ' ';
                pos = p + (spaceDelimited ? 1 : 0);
                ended = markup(!spaceDelimited, false);
                if (pendingFallback_ > 0) {
                    --pendingFallback_;
                } else if (atGroupStart_ || (word[0] == 'b' && word.size() == 3) ||
                           (word[0] == 'u' && word.size() <= 2)) {
                    StateWord(word, hasParameter, negative ? -parameter : parameter, pos);
                    if (pos != p + (spaceDelimited ? 1 : 0)) {
                        lastBare = false; // binary data followed the word
                    }
                }
            } else {
                bool text = false;
                unsigned char value = 0;
                bool openEscape = false;
                const std::size_t start = pos;
                pos = Escape(start, text, value, openEscape);
                if (text) {
                    inText(start, pos);
                    run.escaped = true;
                    run.escapedMarked = run.escapedMarked || marked_[value];
                } else {
                    ended = markup(false, openEscape);
                }
            }
            atGroupStart_ = false;
        } else if (c == '{') {
            ++pos;
            if (rootClosed_) {
                groups_.push_back(Group{true, 1});
            } else {
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
            }
            atGroupStart_ = true;
            pendingFallback_ = 0;
            ended = markup(false, false);
        } else if (c == '}') {
            ++pos;
            if (!groups_.empty()) {
                groups_.pop_back();
                rootClosed_ = rootClosed_ || groups_.empty();
            }
            atGroupStart_ = false;
            pendingFallback_ = 0;
            ended = markup(false, false);
        } else {
            // Line breaks come in pairs; each control byte is a token of its own.
            ++pos;
            while (pos < size && static_cast<unsigned char>(s[pos]) < 0x20) {
                ++pos;
            }
            atGroupStart_ = false;
            ended = markup(false, false);
        }
        if (ended || (!open && pos > stopAfter)) {
            break;
        }
    }
    pos_ = pos;
    lastBareWord_ = lastBare;
    lastOpenEscape_ = lastOpen;
    return open;
}

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
            const std::size_t at = from + static_cast<std::size_t>(__builtin_ctzll(events));
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

// A backslash that does not start a control word: an escaped character, a damaged hex escape
// or a control symbol. Returns the position after it.
std::size_t RtfTextRunWalker::Escape(std::size_t start, bool& inText, unsigned char& value,
                                     bool& openEscape) {
    const std::size_t size = src_.size();
    if (start + 1 >= size) {
        return size;
    }
    const unsigned char next = static_cast<unsigned char>(src_[start + 1]);
    const bool fallback = pendingFallback_ > 0;
    if (fallback) {
        --pendingFallback_;
    }
    const bool allowed = !fallback && TextAllowed();
    if (next == '\'') {
        const int hi =
            start + 2 < size ? HexValue(static_cast<unsigned char>(src_[start + 2])) : -1;
        const int lo =
            start + 3 < size ? HexValue(static_cast<unsigned char>(src_[start + 3])) : -1;
        if (hi >= 0 && lo >= 0) {
            inText = allowed;
            value = static_cast<unsigned char>(hi * 16 + lo);
            return start + 4;
        }
        std::size_t p = start + 2;
        while (p < size && p < start + 4 && !IsStop(static_cast<unsigned char>(src_[p]))) {
            ++p;
        }
        openEscape = p < start + 4;
        return p;
    }
    if (next == '\\' || next == '{' || next == '}') {
        inText = allowed;
        value = next;
        return start + 2;
    }
    if (next == '*' && atGroupStart_ && !groups_.empty()) {
        groups_.back().hidden = true;
    }
    return start + 2;
}

// Control words that change what counts as text: destinations, \bin, \uc and \u.
void RtfTextRunWalker::StateWord(std::string_view word, bool hasParameter, long long parameter,
                                 std::size_t& pos) {
    if (atGroupStart_ && !groups_.empty() && IsHiddenRtfDestination(word)) {
        groups_.back().hidden = true;
    }
    if (word == "bin") {
        if (hasParameter && parameter > 0) {
            // The raw bytes that follow may hold anything, braces included.
            const std::size_t available = src_.size() - pos;
            pos += static_cast<unsigned long long>(parameter) > available
                       ? available
                       : static_cast<std::size_t>(parameter);
        }
        return;
    }
    if (groups_.empty() || !hasParameter) {
        return;
    }
    if (word == "uc") {
        groups_.back().unicodeSkip = static_cast<int>(std::clamp<long long>(parameter, 0, 16));
    } else if (word == "u") {
        pendingFallback_ = groups_.back().unicodeSkip;
    }
}

} // namespace tw
