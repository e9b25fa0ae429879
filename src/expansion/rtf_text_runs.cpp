#include "expansion/rtf_text_runs.h"

#include "expansion/rtf_byte_classes.h"
#include "expansion/rtf_scanner.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

using namespace rtf_bytes;

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
            return blockBase_ + static_cast<std::size_t>(std::countr_zero(mask));
        }
        from = blockBase_ + kBlock;
    }
    const std::size_t size = src_.size();
    for (; from < size; from += kBlock) {
        blockBase_ = from;
        blockMask_ = BlockMask(from);
        if (blockMask_ != 0) {
            return from + static_cast<std::size_t>(std::countr_zero(blockMask_));
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
