// make_cursor PIXELS.txt OUT.cur: writes the monochrome cursor a pixel map describes.
#include "monochrome_cursor.h"

#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_cursor PIXELS.txt OUT.cur\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "make_cursor: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const tw::cursor::ParsedCursor parsed = tw::cursor::ParseCursorText(text);
    if (!parsed.error.empty()) {
        std::cerr << argv[1] << ": " << parsed.error << "\n";
        return 1;
    }
    const std::vector<std::uint8_t> bytes = tw::cursor::EncodeMonochromeCursor(parsed.image);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "make_cursor: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
