#include "expansion/rtf_text_runs.h"

#include "expansion/rtf_scanner.h"

#include <algorithm>

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
constexpr std::size_t kBlock = 32;

} // namespace

RtfTextRunWalker::RtfTextRunWalker(std::string_view source, const std::array<bool, 256>& marked)
    : src_(source), marked_(marked) {
    for (int c = 0; c < 256; ++c) {
        stopOrMarked_[c] = marked_[c] || IsStop(static_cast<unsigned char>(c));
        if (marked_[c] && !IsStop(static_cast<unsigned char>(c))) {
            if (needleCount_ < kMaxNeedles) {
                needles_[needleCount_] = static_cast<unsigned char>(c);
            }
            ++needleCount_;
        }
    }
#if defined(__SSE2__)
    blockSearch_ = needleCount_ <= kMaxNeedles;
#endif
    // Unused needle places repeat a stop byte, so that every block does the same work.
    for (std::size_t i = std::min(needleCount_, kMaxNeedles); i < kMaxNeedles; ++i) {
        needles_[i] = '\\';
    }
    groups_.reserve(16);
}

std::size_t RtfTextRunWalker::NextStop(std::size_t from) {
    if (blockValid_ && from >= blockBase_ && from < blockBase_ + kBlock) {
        const unsigned mask = blockMask_ & (~0u << (from - blockBase_));
        if (mask != 0) {
            return blockBase_ + static_cast<std::size_t>(__builtin_ctz(mask));
        }
        from = blockBase_ + kBlock;
    }
    return FindStop(from);
}

// The first byte at or after `from` that is markup or marked; the source size when none is.
std::size_t RtfTextRunWalker::FindStop(std::size_t from) {
    const std::size_t size = src_.size();
#if defined(__SSE2__)
    if (blockSearch_ && from + kBlock <= size) {
        const __m128i low = _mm_set1_epi8(0x1f);
        const __m128i backslash = _mm_set1_epi8('\\');
        const __m128i open = _mm_set1_epi8('{');
        const __m128i close = _mm_set1_epi8('}');
        const __m128i n0 = _mm_set1_epi8(static_cast<char>(needles_[0]));
        const __m128i n1 = _mm_set1_epi8(static_cast<char>(needles_[1]));
        const __m128i n2 = _mm_set1_epi8(static_cast<char>(needles_[2]));
        const __m128i n3 = _mm_set1_epi8(static_cast<char>(needles_[3]));
        const auto classify = [&](const char* at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            __m128i hit = _mm_cmpeq_epi8(_mm_min_epu8(v, low), v);
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, backslash));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, open));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, close));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n0));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n1));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n2));
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, n3));
            return static_cast<unsigned>(_mm_movemask_epi8(hit));
        };
        for (; from + kBlock <= size; from += kBlock) {
            const char* at = src_.data() + from;
            const unsigned mask = classify(at) | (classify(at + 16) << 16);
            if (mask != 0) {
                blockBase_ = from;
                blockMask_ = mask;
                blockValid_ = true;
                return from + static_cast<std::size_t>(__builtin_ctz(mask));
            }
        }
    }
#endif
    blockValid_ = false;
    while (from < size && !stopOrMarked_[static_cast<unsigned char>(src_[from])]) {
        ++from;
    }
    return from;
}

bool RtfTextRunWalker::Next(RtfTextRun& run) {
    const std::size_t size = src_.size();
    while (!closed_) {
        if (pos_ >= size) {
            if (!open_) {
                return false;
            }
            open_ = false;
            break;
        }
        if (binaryPending_ > 0) {
            pos_ += binaryPending_;
            binaryPending_ = 0;
            atGroupStart_ = false;
            Markup(false, false);
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(src_[pos_]);
        if (c == '{') {
            ++pos_;
            if (rootClosed_) {
                groups_.push_back(Group{true, 1});
            } else {
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
            }
            atGroupStart_ = true;
            pendingFallback_ = 0;
            Markup(false, false);
        } else if (c == '}') {
            ++pos_;
            if (!groups_.empty()) {
                groups_.pop_back();
                rootClosed_ = rootClosed_ || groups_.empty();
            }
            atGroupStart_ = false;
            pendingFallback_ = 0;
            Markup(false, false);
        } else if (c == '\\') {
            Backslash();
            atGroupStart_ = false;
        } else if (c < 0x20) {
            ++pos_;
            atGroupStart_ = false;
            Markup(false, false);
        } else {
            Text();
        }
    }
    closed_ = false;
    run = run_;
    return true;
}

void RtfTextRunWalker::Text() {
    atGroupStart_ = false;
    if (pendingFallback_ > 0) {
        --pendingFallback_;
        ++pos_;
        Markup(false, false);
        return;
    }
    const std::size_t size = src_.size();
    std::size_t p = NextStop(pos_);
    if (!TextAllowed()) {
        while (p < size && !IsStop(static_cast<unsigned char>(src_[p]))) {
            p = NextStop(p + 1);
        }
        pos_ = p;
        Markup(false, false);
        return;
    }
    InTextChar(pos_, pos_, false, 0);
    while (p < size && !IsStop(static_cast<unsigned char>(src_[p]))) {
        marks_.push_back(p);
        p = NextStop(p + 1);
    }
    pos_ = p;
    run_.end = p;
}

void RtfTextRunWalker::Backslash() {
    const std::size_t size = src_.size();
    const std::size_t start = pos_;
    if (start + 1 >= size) {
        pos_ = size;
        Markup(false, false);
        return;
    }
    const unsigned char next = static_cast<unsigned char>(src_[start + 1]);
    if (IsLetter(next)) {
        ControlWord(start);
        return;
    }
    const bool fallback = pendingFallback_ > 0;
    if (fallback) {
        --pendingFallback_;
    }
    const bool inText = !fallback && TextAllowed();
    if (next == '\'') {
        const int hi =
            start + 2 < size ? HexValue(static_cast<unsigned char>(src_[start + 2])) : -1;
        const int lo =
            start + 3 < size ? HexValue(static_cast<unsigned char>(src_[start + 3])) : -1;
        if (hi >= 0 && lo >= 0) {
            pos_ = start + 4;
            if (inText) {
                InTextChar(start, pos_, true, static_cast<unsigned char>(hi * 16 + lo));
            } else {
                Markup(false, false);
            }
            return;
        }
        std::size_t p = start + 2;
        while (p < size && p < start + 4 && !IsStop(static_cast<unsigned char>(src_[p]))) {
            ++p;
        }
        pos_ = p;
        Markup(false, p < start + 4);
        return;
    }
    pos_ = start + 2;
    if (next == '\\' || next == '{' || next == '}') {
        if (inText) {
            InTextChar(start, pos_, true, next);
        } else {
            Markup(false, false);
        }
        return;
    }
    if (next == '*' && atGroupStart_ && !groups_.empty()) {
        groups_.back().hidden = true;
    }
    Markup(false, false);
}

void RtfTextRunWalker::ControlWord(std::size_t start) {
    const std::size_t size = src_.size();
    std::size_t p = start + 1;
    while (p < size && IsLetter(static_cast<unsigned char>(src_[p]))) {
        ++p;
    }
    const std::string_view word = src_.substr(start + 1, p - start - 1);
    bool negative = false;
    if (p + 1 < size && src_[p] == '-' && IsDigit(static_cast<unsigned char>(src_[p + 1]))) {
        negative = true;
        ++p;
    }
    bool hasParameter = false;
    long long parameter = 0;
    while (p < size && IsDigit(static_cast<unsigned char>(src_[p]))) {
        hasParameter = true;
        if (parameter < kParameterLimit) {
            parameter = parameter * 10 + (src_[p] - '0');
        }
        ++p;
    }
    if (negative) {
        parameter = -parameter;
    }
    bool spaceDelimited = false;
    if (p < size && src_[p] == ' ') {
        spaceDelimited = true;
        ++p;
    }
    pos_ = p;
    Markup(!spaceDelimited, false);
    if (pendingFallback_ > 0) {
        --pendingFallback_;
        return;
    }
    if (atGroupStart_ && !groups_.empty() && IsHiddenRtfDestination(word)) {
        groups_.back().hidden = true;
    }
    if (word == "bin") {
        if (hasParameter && parameter > 0) {
            const std::size_t available = size - pos_;
            binaryPending_ = static_cast<unsigned long long>(parameter) > available
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

void RtfTextRunWalker::InTextChar(std::size_t begin, std::size_t end, bool escaped,
                                  unsigned char value) {
    if (!open_) {
        open_ = true;
        run_ = RtfTextRun{begin, end, false, false, lastBareWord_, lastOpenEscape_};
        marks_.clear();
    }
    run_.end = end;
    if (escaped) {
        run_.escaped = true;
        run_.escapedMarked = run_.escapedMarked || marked_[value];
    }
    lastBareWord_ = false;
    lastOpenEscape_ = false;
}

void RtfTextRunWalker::Markup(bool bareWord, bool openEscape) {
    if (open_) {
        open_ = false;
        closed_ = true;
    }
    lastBareWord_ = bareWord;
    lastOpenEscape_ = openEscape;
}

} // namespace tw
