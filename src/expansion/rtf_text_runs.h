#pragma once
// The document-text runs of RTF source, for callers that only care about a few bytes of the
// text. RtfScanner hands out every token; this walks the same structure without building
// tokens and skips plain text many bytes at a time, stopping only at markup and at the marked
// bytes. A run is a maximal stretch of the scanner's in-text tokens: the two must agree.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tw {

struct RtfTextRun {
    std::size_t begin = 0; // source span [begin, end)
    std::size_t end = 0;
    bool escaped = false;       // holds \'hh, \\, \{ or \}
    bool escapedMarked = false; // one of those escapes stands for a marked byte
    // Directly after a control word with no delimiting space.
    bool afterBareWord = false;
    // Directly after a damaged hex escape that is still open.
    bool locked = false;
};

class RtfTextRunWalker {
public:
    // `marked` holds the bytes whose plain (unescaped) occurrences each run reports. Reading
    // every token costs little per byte of markup; following only the braces pays where the
    // next mark is more than `farMark` bytes ahead.
    RtfTextRunWalker(std::string_view source, const std::array<bool, 256>& marked,
                     std::size_t farMark = 1024);

    // The next run in source order that holds a marked byte or an escape standing for one;
    // runs without either may come, too. False when there is none left.
    bool Next(RtfTextRun& run);
    // Source positions of the marked bytes that stand plainly in the run Next gave last.
    const std::vector<std::size_t>& Marks() const { return marks_; }

private:
    struct Group {
        bool hidden = false;
        int unicodeSkip = 1;
    };

    bool NextRun(RtfTextRun& run, std::size_t stopAfter);
    bool SkipToMark();
    std::size_t NextMark(std::size_t from);
    std::size_t MarkupBefore(std::size_t mark) const;
    bool FollowGroups(std::size_t to);
    bool StartsToken(std::size_t at) const;
    void OpenGroup();
    void HideDestination(std::size_t at);
    void GapMasks(std::size_t from, std::uint64_t& braces, std::uint64_t& words) const;
    void CloseGroup();
    std::size_t NextEvent(std::size_t from);
    std::uint64_t BlockMask(std::size_t from) const;
    std::size_t Escape(std::size_t start, bool& inText, unsigned char& value, bool& openEscape);
    void StateWord(std::string_view word, bool hasParameter, long long parameter, std::size_t& pos);
    bool TextAllowed() const { return !rootClosed_ && !groups_.empty() && !groups_.back().hidden; }

    std::string_view src_;
    std::array<bool, 256> marked_{};
    std::array<bool, 256> stopOrMarked_{};
    // Up to this many distinct marked bytes are searched for in blocks; more fall back to a
    // byte-by-byte look-up.
    static constexpr std::size_t kMaxNeedles = 4;
    std::array<unsigned char, kMaxNeedles> needles_{};
    bool blockSearch_ = false;
    // The bytes of [blockBase_, blockBase_ + 64) that are markup or marked, one bit each.
    std::size_t blockBase_ = static_cast<std::size_t>(-1) - 64;
    std::uint64_t blockMask_ = 0;

    // Between marks only braces and the few words that change how text is read are followed;
    // every token is read where that cannot be done.
    bool sparse_ = false;
    std::size_t farMark_;
    std::size_t nearMark_ = 0; // a mark at most this far back was met or looked up
    std::array<std::size_t, kMaxNeedles> nextNeedle_{};

    std::size_t pos_ = 0;
    std::vector<Group> groups_;
    bool rootClosed_ = false;
    bool atGroupStart_ = false;
    int pendingFallback_ = 0;
    bool lastBareWord_ = false;
    bool lastOpenEscape_ = false;
    std::vector<std::size_t> marks_;
};

} // namespace tw
