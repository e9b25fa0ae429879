#include "monochrome_cursor.h"

#include <sstream>

namespace tw::cursor {
namespace {

constexpr int kMaxSide = 256;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One plane, rows bottom first, each padded to 32 bits; a pixel's bit is set when `set` says.
template <typename Set>
void PutPlane(std::vector<std::uint8_t>& out, const CursorImage& image, Set set) {
    const std::size_t width = image.rows.front().size();
    const std::size_t stride = (width + 31) / 32 * 4;
    for (auto row = image.rows.rbegin(); row != image.rows.rend(); ++row) {
        std::vector<std::uint8_t> bytes(stride, 0);
        for (std::size_t x = 0; x < width; ++x) {
            if (set((*row)[x])) {
                bytes[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
}

std::string CheckImage(const CursorImage& image, bool sawHotSpot) {
    if (!sawHotSpot) {
        return "no \"hotspot X Y\" line before the pixel rows";
    }
    if (image.rows.empty()) {
        return "no pixel rows";
    }
    const int width = static_cast<int>(image.rows.front().size());
    const int height = static_cast<int>(image.rows.size());
    if (width > kMaxSide || height > kMaxSide) {
        return "the image is larger than 256 x 256";
    }
    if (image.hotX < 0 || image.hotY < 0 || image.hotX >= width || image.hotY >= height) {
        return "the hot spot lies outside the image";
    }
    return "";
}

} // namespace

ParsedCursor ParseCursorText(const std::string& text) {
    ParsedCursor parsed;
    std::istringstream in(text);
    bool sawHotSpot = false;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.rfind("hotspot", 0) == 0) {
            std::istringstream numbers(line.substr(7));
            std::string rest;
            if (sawHotSpot || !parsed.image.rows.empty() ||
                !(numbers >> parsed.image.hotX >> parsed.image.hotY) || numbers >> rest) {
                parsed.error = where + "expected one \"hotspot X Y\" before the pixel rows";
                return parsed;
            }
            sawHotSpot = true;
            continue;
        }
        if (line.find_first_not_of("X-.~") != std::string::npos) {
            parsed.error = where + "a pixel is none of X - . ~";
            return parsed;
        }
        if (!parsed.image.rows.empty() && line.size() != parsed.image.rows.front().size()) {
            parsed.error = where + "the row's width differs from the first row's";
            return parsed;
        }
        parsed.image.rows.push_back(line);
    }
    parsed.error = CheckImage(parsed.image, sawHotSpot);
    return parsed;
}

std::vector<std::uint8_t> EncodeMonochromeCursor(const CursorImage& image) {
    const unsigned width = static_cast<unsigned>(image.rows.front().size());
    const unsigned height = static_cast<unsigned>(image.rows.size());
    const unsigned planeBytes = (width + 31) / 32 * 4 * height;
    const unsigned imageBytes = 40 + 8 + 2 * planeBytes;
    std::vector<std::uint8_t> out;
    // Directory with one entry; 0 stands for 256 in its byte-sized width and height.
    Put16(out, 0);
    Put16(out, 2);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(2); // colours
    out.push_back(0);
    Put16(out, static_cast<unsigned>(image.hotX));
    Put16(out, static_cast<unsigned>(image.hotY));
    Put32(out, imageBytes);
    Put32(out, 22);
    // The bitmap header counts the colour image and the mask together, hence twice the height.
    Put32(out, 40);
    Put32(out, width);
    Put32(out, 2 * height);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, 0);
    Put32(out, 2 * planeBytes);
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    Put32(out, 0x000000); // palette: black, white
    Put32(out, 0xFFFFFF);
    PutPlane(out, image, [](char c) { return c == '-' || c == '~'; });
    PutPlane(out, image, [](char c) { return c == '.' || c == '~'; });
    return out;
}

} // namespace tw::cursor
