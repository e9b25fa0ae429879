#include "ui/word_at_caret.h"

namespace tw {
namespace {

bool IsWordUnit(char16_t c) {
    if (c < 0x80) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
               c == u'_' || c == u'\'';
    }
    // Latin-1 signs, general punctuation and spaces, CJK punctuation, object marks.
    return !(c <= 0xBF || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) ||
             c == 0xFEFF || c == 0xFFFC || c == 0xD7 || c == 0xF7);
}

} // namespace

WordSpan WordAtCaret(std::u16string_view text, std::size_t caret) {
    if (caret > text.size()) {
        caret = text.size();
    }
    std::size_t start = caret, end = caret;
    while (start > 0 && IsWordUnit(text[start - 1])) {
        --start;
    }
    while (end < text.size() && IsWordUnit(text[end])) {
        ++end;
    }
    return {start, end};
}

} // namespace tw
