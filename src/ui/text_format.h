#pragma once
// Character and paragraph attributes as the formatting toolbar sees them, the colour menu's
// entries, and how the toolbar reads a typed size and the system's font names.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Text either follows the system's window-text colour (automatic) or has a colour of its own.
struct TextColor {
    bool automatic = true;
    Rgb rgb{};

    static TextColor Automatic() { return {}; }
    static TextColor Of(Rgb c) { return {false, c}; }
    bool operator==(const TextColor& o) const {
        return automatic == o.automatic && (automatic || rgb == o.rgb);
    }
};

struct CharAttributes {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int sizePoints = 10;
    std::string faceName;
    TextColor color;
};

// Which members of CharAttributes a write changes; the others stay as they are.
enum CharField : unsigned {
    kFaceField = 1,
    kSizeField = 2,
    kBoldField = 4,
    kItalicField = 8,
    kUnderlineField = 16,
    kColorField = 32,
};

// Other: an alignment the toolbar has no button for, such as justified.
enum class ParagraphAlignment { Left, Right, Center, Other };

// The alignment buttons' tags: 0 left, 1 right, 2 centre; any other tag is none of them.
ParagraphAlignment AlignmentOfTag(int tag);

inline constexpr int kColorTableSize = 17;
// The colour menu in order: sixteen named colours, then the automatic colour.
const std::array<TextColor, kColorTableSize>& ColorTable();
// "Automatic" for the automatic colour, a colour's standard name for a named one, otherwise its
// hexadecimal value.
std::string ColorCaption(const TextColor& color);
// The colour menu's entry that shows as checked for text in this colour; -1 for none.
int CheckedColorEntry(const TextColor& color);

// The size box's text as a whole number: optional blanks, an optional sign, decimal digits.
// Anything else throws std::runtime_error "'<text>' is not a valid integer value".
int ParseWholeNumber(const std::string& text);

// The font list: sorted ignoring case, each face name once.
std::vector<std::string> SortedFontNames(std::vector<std::string> names);

} // namespace tw
