#pragma once
// A monochrome cursor drawn as text, one character per pixel, and its .cur file.
#include <cstdint>
#include <string>
#include <vector>

namespace tw::cursor {

// Rows top first, all of one width, of 'X' black, '-' white, '.' transparent, '~' inverted.
struct CursorImage {
    int hotX = 0;
    int hotY = 0;
    std::vector<std::string> rows;
};

struct ParsedCursor {
    CursorImage image;
    std::string error; // empty when the text was a valid pixel map
};

// Text: lines starting with '#' and empty lines are skipped; one line "hotspot X Y", then the
// pixel rows.
ParsedCursor ParseCursorText(const std::string& text);

// The .cur file: one 1-bit image with its AND mask, the hot spot in its directory entry.
std::vector<std::uint8_t> EncodeMonochromeCursor(const CursorImage& image);

} // namespace tw::cursor
