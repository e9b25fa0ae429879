#include "expansion/rtf_scanner.h"

#include "expansion/code_pages.h"
#include "expansion/rtf_byte_classes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tw {

using rtf_bytes::HexValue;
using rtf_bytes::IsDigit;
using rtf_bytes::IsLetter;
using rtf_bytes::kParameterLimit;

namespace {

// Bytes that end a stretch of plain text.
constexpr std::array<bool, 256> MakeStopTable() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) {
        table[c] = true;
    }
    table['\\'] = true;
    table['{'] = true;
    table['}'] = true;
    return table;
}
constexpr std::array<bool, 256> kStop = MakeStopTable();

// Eight bytes at a time while none of them ends plain text: long stretches of text are the
// bulk of a reply, and this is where a scan spends its time.
std::size_t SkipPlainText(std::string_view src, std::size_t p) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    const auto hasZero = [](std::uint64_t x) { return (x - kOnes) & ~x & kHigh; };
    while (p + 8 <= src.size()) {
        std::uint64_t word;
        std::memcpy(&word, src.data() + p, 8);
        const std::uint64_t stops = hasZero(word ^ (kOnes * '\\')) | hasZero(word ^ (kOnes * '{')) |
                                    hasZero(word ^ (kOnes * '}')) |
                                    ((word - kOnes * 0x20) & ~word & kHigh);
        if (stops != 0) {
            break;
        }
        p += 8;
    }
    while (p < src.size() && !kStop[static_cast<unsigned char>(src[p])]) {
        ++p;
    }
    return p;
}

} // namespace

// Destinations whose content is never document text even without \*.
bool IsHiddenRtfDestination(std::string_view word) {
    // Most words at a group's start are short formatting words such as \b or \f1.
    if (word.size() < 2) {
        return false;
    }
    static constexpr std::string_view kWords[] = {"fonttbl",    "colortbl",
                                                  "stylesheet", "info",
                                                  "pict",       "object",
                                                  "objdata",    "fldinst",
                                                  "listtable",  "listoverridetable",
                                                  "revtbl",     "rsidtbl",
                                                  "generator",  "xmlnstbl",
                                                  "themedata",  "colorschememapping",
                                                  "datastore",  "latentstyles",
                                                  "filetbl",    "pntext",
                                                  "pntxta",     "pntxtb",
                                                  "listtext",   "nonshppict",
                                                  "shp",        "header",
                                                  "footer",     "headerl",
                                                  "headerr",    "headerf",
                                                  "footerl",    "footerr",
                                                  "footerf",    "footnote",
                                                  "annotation", "bkmkstart",
                                                  "bkmkend",    "xe",
                                                  "tc",         "txe"};
    return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

RtfScanner::RtfScanner(std::string_view source) : src_(source) {}

bool RtfScanner::TextAllowed() const {
    return !rootClosed_ && !groups_.empty() && !groups_.back().hidden;
}

void RtfScanner::Classify(RtfToken& token) {
    const bool isCharacter =
        token.kind == RtfTokenKind::Text || token.kind == RtfTokenKind::EscapedChar;
    token.inText = isCharacter && TextAllowed() && !token.fallback;
}

RtfToken RtfScanner::Next() {
    RtfToken token;
    token.begin = pos_;
    if (pos_ >= src_.size()) {
        token.kind = RtfTokenKind::End;
        token.end = pos_;
        return token;
    }
    if (binaryPending_ > 0) {
        pos_ += binaryPending_;
        binaryPending_ = 0;
        token.kind = RtfTokenKind::Binary;
        token.end = pos_;
        atGroupStart_ = false;
        return token;
    }
    const unsigned char c = static_cast<unsigned char>(src_[pos_]);
    if (c == '{') {
        ++pos_;
        token.kind = RtfTokenKind::GroupOpen;
        token.end = pos_;
        if (rootClosed_) {
            // Anything after the document's closing brace is not part of it.
            groups_.push_back(Group{true, 1});
        } else {
            Group inner = groups_.empty() ? Group{} : groups_.back();
            groups_.push_back(inner);
        }
        atGroupStart_ = true;
        pendingFallback_ = 0;
        return token;
    }
    if (c == '}') {
        ++pos_;
        token.kind = RtfTokenKind::GroupClose;
        token.end = pos_;
        if (!groups_.empty()) {
            groups_.pop_back();
            if (groups_.empty()) {
                rootClosed_ = true;
            }
        }
        atGroupStart_ = false;
        pendingFallback_ = 0;
        return token;
    }
    if (c == '\\') {
        token = ScanBackslash(pos_);
        atGroupStart_ = false;
        return token;
    }
    atGroupStart_ = false;
    if (c < 0x20) {
        ++pos_;
        token.kind = RtfTokenKind::Ignored;
        token.end = pos_;
        return token;
    }
    std::size_t end = pos_ + 1;
    if (pendingFallback_ > 0) {
        --pendingFallback_;
        token.fallback = true;
    } else {
        end = SkipPlainText(src_, end);
    }
    pos_ = end;
    token.kind = RtfTokenKind::Text;
    token.end = end;
    Classify(token);
    return token;
}

RtfToken RtfScanner::ScanBackslash(std::size_t start) {
    RtfToken token;
    token.begin = start;
    if (start + 1 >= src_.size()) {
        pos_ = src_.size();
        token.kind = RtfTokenKind::ControlSymbol;
        token.end = pos_;
        return token;
    }
    const unsigned char next = static_cast<unsigned char>(src_[start + 1]);
    if (IsLetter(next)) {
        return ScanControlWord(start);
    }
    const bool fallback = pendingFallback_ > 0;
    if (fallback) {
        --pendingFallback_;
    }
    token.fallback = fallback;
    if (next == '\'') {
        const int hi = start + 2 < src_.size() ? HexValue(src_[start + 2]) : -1;
        const int lo = start + 3 < src_.size() ? HexValue(src_[start + 3]) : -1;
        if (hi >= 0 && lo >= 0) {
            pos_ = start + 4;
            token.kind = RtfTokenKind::EscapedChar;
            token.value = static_cast<unsigned char>(hi * 16 + lo);
            token.end = pos_;
            Classify(token);
            return token;
        }
        // A damaged hex escape stands for nothing; it keeps the two places a hex escape would
        // fill, so that no text put after it can turn it into a valid one.
        std::size_t p = start + 2;
        while (p < src_.size() && p < start + 4 && !kStop[static_cast<unsigned char>(src_[p])]) {
            ++p;
        }
        pos_ = p;
        token.openEscape = p < start + 4;
        token.kind = RtfTokenKind::ControlSymbol;
        token.value = next;
        token.end = pos_;
        return token;
    }
    pos_ = start + 2;
    token.end = pos_;
    if (next == '\\' || next == '{' || next == '}') {
        token.kind = RtfTokenKind::EscapedChar;
        token.value = next;
        Classify(token);
        return token;
    }
    token.kind = RtfTokenKind::ControlSymbol;
    token.value = next;
    if (next == '*' && atGroupStart_ && !groups_.empty()) {
        groups_.back().hidden = true;
    }
    return token;
}

RtfToken RtfScanner::ScanControlWord(std::size_t start) {
    RtfToken token;
    token.kind = RtfTokenKind::ControlWord;
    token.begin = start;
    std::size_t p = start + 1;
    while (p < src_.size() && IsLetter(static_cast<unsigned char>(src_[p]))) {
        ++p;
    }
    token.word = src_.substr(start + 1, p - start - 1);
    bool negative = false;
    if (p < src_.size() && src_[p] == '-' && p + 1 < src_.size() &&
        IsDigit(static_cast<unsigned char>(src_[p + 1]))) {
        negative = true;
        ++p;
    }
    while (p < src_.size() && IsDigit(static_cast<unsigned char>(src_[p]))) {
        token.hasParameter = true;
        if (token.parameter < kParameterLimit) {
            token.parameter = token.parameter * 10 + (src_[p] - '0');
        }
        ++p;
    }
    if (negative) {
        token.parameter = -token.parameter;
    }
    if (p < src_.size() && src_[p] == ' ') {
        token.spaceDelimited = true;
        ++p;
    }
    pos_ = p;
    token.end = p;
    const bool wasGroupStart = atGroupStart_;
    const bool fallback = pendingFallback_ > 0;
    if (fallback) {
        --pendingFallback_;
        token.fallback = true;
        return token;
    }
    if (wasGroupStart && !groups_.empty() && IsHiddenRtfDestination(token.word)) {
        groups_.back().hidden = true;
    }
    NoteControlWord(token);
    return token;
}

void RtfScanner::NoteControlWord(const RtfToken& token) {
    if (token.word == "bin" && token.hasParameter && token.parameter > 0) {
        // \binN is followed by N raw bytes that may hold anything, braces included.
        const std::size_t available = src_.size() - pos_;
        // The data becomes a token of its own on the next call.
        binaryPending_ = static_cast<unsigned long long>(token.parameter) > available
                             ? available
                             : static_cast<std::size_t>(token.parameter);
        return;
    }
    if (groups_.empty()) {
        return;
    }
    if (token.word == "uc" && token.hasParameter) {
        groups_.back().unicodeSkip =
            static_cast<int>(std::clamp<long long>(token.parameter, 0, 16));
    } else if (token.word == "u" && token.hasParameter) {
        pendingFallback_ = groups_.back().unicodeSkip;
    }
}

int RtfCodePage(std::string_view source) {
    // The header names it before the first character of text.
    RtfScanner scanner(source);
    for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End && !token.inText;
         token = scanner.Next()) {
        if (token.kind == RtfTokenKind::ControlWord && token.word == "ansicpg" &&
            token.hasParameter && token.parameter > 0 && token.parameter < 65536) {
            return static_cast<int>(token.parameter);
        }
    }
    return kDefaultCodePage;
}

bool IsRtfSource(std::string_view text) {
    std::size_t p = 0;
    while (p < text.size() &&
           (text[p] == ' ' || text[p] == '\r' || text[p] == '\n' || text[p] == '\t')) {
        ++p;
    }
    return text.substr(p, 5) == "{\\rtf";
}

} // namespace tw

namespace tw {

bool IsBalancedRtf(std::string_view source) {
    RtfScanner scanner(source);
    std::size_t depth = 0;
    for (RtfToken token = scanner.Next(); token.kind != RtfTokenKind::End; token = scanner.Next()) {
        if (token.kind == RtfTokenKind::GroupOpen) {
            ++depth;
        } else if (token.kind == RtfTokenKind::GroupClose) {
            if (depth == 0) {
                return false;
            }
            --depth;
        }
    }
    return depth == 0;
}

} // namespace tw
