#include "search/search_folding.h"

#include "expansion/code_pages.h"

#include <array>

namespace tw {
namespace {

// Base letters of U+00C0..U+00FF; '*' marks a letter written as two, '=' one left as it is.
constexpr std::string_view kLatin1 =
    "aaaaaa*ceeeeiiiidnooooo=ouuuuy=*aaaaaa*ceeeeiiiidnooooo=ouuuuy=y";
// Base letters of U+0100..U+017F (Latin Extended-A), in code point order.
constexpr std::string_view kLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**rrrrrrss"
    "ssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatin1.size() == 0x40);

void AppendTwo(std::u32string& out, char32_t c) {
    switch (c) {
    case U'\u00C6':
    case U'\u00E6':
        out += U"ae";
        break;
    case U'\u00DF':
        out += U"ss";
        break;
    case U'\u0132':
    case U'\u0133':
        out += U"ij";
        break;
    default:
        out += U"oe";
        break; // U+0152, U+0153
    }
}

char32_t FoldGreek(char32_t c) {
    switch (c) {
    case U'\u0386':
    case U'\u03AC':
        return U'\u03B1';
    case U'\u0388':
    case U'\u03AD':
        return U'\u03B5';
    case U'\u0389':
    case U'\u03AE':
        return U'\u03B7';
    case U'\u038A':
    case U'\u03AF':
    case U'\u03AA':
    case U'\u03CA':
    case U'\u0390':
        return U'\u03B9';
    case U'\u038C':
    case U'\u03CC':
        return U'\u03BF';
    case U'\u038E':
    case U'\u03CD':
    case U'\u03AB':
    case U'\u03CB':
    case U'\u03B0':
        return U'\u03C5';
    case U'\u038F':
    case U'\u03CE':
        return U'\u03C9';
    case U'\u03C2':
        return U'\u03C3'; // final sigma
    default:
        break;
    }
    if (c >= U'\u0391' && c <= U'\u03A9') {
        return c + 0x20;
    }
    return c;
}

char32_t FoldCyrillic(char32_t c) {
    if (c >= U'\u0410' && c <= U'\u042F') {
        return c + 0x20;
    }
    if (c == U'\u0401' || c == U'\u0451') {
        return U'\u0435'; // ё reads as е
    }
    if (c >= U'\u0400' && c <= U'\u040F') {
        return c + 0x50;
    }
    return c;
}

} // namespace

std::u32string FoldForSearch(std::string_view text) {
    static_assert(kLatinExtendedA.size() == 0x80);
    std::u32string out;
    out.reserve(text.size());
    for (char32_t c : DecodeUtf8(text, kDefaultCodePage)) {
        if (c >= U'A' && c <= U'Z') {
            out += c + 0x20;
        } else if (c < 0xC0) {
            out += c;
        } else if (c < 0x100) {
            const char base = kLatin1[c - 0xC0];
            if (base == '*') {
                AppendTwo(out, c);
            } else {
                out += base == '=' ? (c == 0xDE ? U'\u00FE' : c) : static_cast<char32_t>(base);
            }
        } else if (c < 0x180) {
            const char base = kLatinExtendedA[c - 0x100];
            if (base == '*') {
                AppendTwo(out, c);
            } else {
                out += static_cast<char32_t>(base);
            }
        } else if (c >= 0x300 && c < 0x370) {
            // a combining mark: the letter before it stands alone
        } else if (c < 0x400) {
            out += FoldGreek(c);
        } else if (c < 0x460) {
            out += FoldCyrillic(c);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tw
