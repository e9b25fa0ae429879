#pragma once
// A forward-only tokenizer of RTF source that knows which characters are document text.
// It never fails: damaged or truncated input still yields tokens that cover every byte once,
// in order, so callers can copy markup they do not understand unchanged.
#include <cstddef>
#include <string_view>
#include <vector>

namespace tw {

enum class RtfTokenKind {
    Text,          // a stretch of plain bytes that stand for themselves
    EscapedChar,   // \'hh, \\, \{ or \} : one character given by `value`
    ControlWord,   // \word or \wordN, with its delimiting space if it had one
    ControlSymbol, // \ and one other character (\~, \-, \*, ...)
    GroupOpen,
    GroupClose,
    Ignored, // raw line breaks and other control bytes, which RTF readers skip
    Binary,  // the data of \binN
    End,
};

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    std::size_t begin = 0; // source span [begin, end)
    std::size_t end = 0;
    // True when the token's characters belong to the document's text: inside the root group,
    // outside font/colour tables, pictures, \* and other hidden destinations, and not the
    // fallback characters of a \uN.
    bool inText = false;
    bool fallback = false;   // skipped as the \ucN fallback of a preceding \uN
    unsigned char value = 0; // EscapedChar: the character; ControlSymbol: the symbol
    std::string_view word;   // ControlWord: its letters
    bool hasParameter = false;
    long long parameter = 0;
    bool spaceDelimited = false; // ControlWord: ended by a space that belongs to it
    // A damaged \' escape with fewer than two characters after it: whatever follows could
    // complete it.
    bool openEscape = false;
};

class RtfScanner {
public:
    explicit RtfScanner(std::string_view source);
    RtfToken Next();
    std::size_t Depth() const { return groups_.size(); }
    // Whether characters at the current position would be document text.
    bool InText() const { return TextAllowed(); }
    // The \ucN in force at the current position.
    int UnicodeSkip() const { return groups_.empty() ? 1 : groups_.back().unicodeSkip; }

private:
    struct Group {
        bool hidden = false; // inside a destination that holds no document text
        int unicodeSkip = 1; // \ucN
    };
    RtfToken ScanBackslash(std::size_t start);
    RtfToken ScanControlWord(std::size_t start);
    void NoteControlWord(const RtfToken& token);
    bool TextAllowed() const;
    void Classify(RtfToken& token);

    std::string_view src_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_;
    bool rootClosed_ = false;
    bool atGroupStart_ = false;
    int pendingFallback_ = 0;
    std::size_t binaryPending_ = 0;
};

// Destinations whose content is never document text even without \*.
bool IsHiddenRtfDestination(std::string_view word);

// The code page of the document's \'hh escapes: its \ansicpgN, else the default.
int RtfCodePage(std::string_view source);

// True when the text is RTF source rather than the editor's plain-text fallback.
bool IsRtfSource(std::string_view text);

} // namespace tw

namespace tw {

// True when every group that opens also closes and none closes that was not open.
bool IsBalancedRtf(std::string_view source);

} // namespace tw
