// Cursors drawn as text: the bits each pixel becomes, refused drawings, and the committed
// reply-drop cursor being exactly what its drawing makes.
#include "monochrome_cursor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tw::cursor {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MonochromeCursor, EachPixelKindSetsItsColourAndMaskBits) {
    // Two rows of nine pixels: the rows are stored bottom first and padded to four bytes.
    const ParsedCursor parsed =
        ParseCursorText("# a test\r\nhotspot 8 1\n\nX-.~XXXXX\n-------.-\n");
    ASSERT_EQ("", parsed.error);
    const std::vector<std::uint8_t> file = EncodeMonochromeCursor(parsed.image);
    ASSERT_EQ(22u + 40 + 8 + 4 * 4, file.size());
    const struct {
        std::size_t offset;
        std::uint8_t value;
        const char* what;
    } bytes[] = {
        {2, 2, "a cursor"},
        {6, 9, "width"},
        {7, 2, "height"},
        {10, 8, "hot spot x"},
        {12, 1, "hot spot y"},
        {14, 40 + 8 + 16, "image size"},
        {30, 4, "header height"},
        {36, 1, "bits per pixel"},
        {66, 0xFF, "white in palette"},
        {70, 0xFE, "XOR row 2"},
        {71, 0x80, "XOR row 2 ninth pixel"},
        {74, 0x50, "XOR row 1"},
        {75, 0x00, "XOR row 1 ninth pixel"},
        {78, 0x01, "AND row 2"},
        {79, 0x00, "AND row 2 ninth pixel"},
        {82, 0x30, "AND row 1"},
        {83, 0x00, "AND row 1 ninth pixel"},
    };
    for (const auto& b : bytes) {
        EXPECT_EQ(b.value, file.at(b.offset)) << b.what;
    }
}

TEST(MonochromeCursor, ADrawingItCannotReadIsRefusedWithTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"XX\n", "no \"hotspot X Y\" line before the pixel rows"},
        {"hotspot 0 0\n", "no pixel rows"},
        {"hotspot 0\nXX\n", "line 1: expected one \"hotspot X Y\" before the pixel rows"},
        {"hotspot 0 0 7\nXX\n", "line 1: expected one \"hotspot X Y\" before the pixel rows"},
        {"hotspot 0 0\nXX\nhotspot 1 0\n",
         "line 3: expected one \"hotspot X Y\" before the pixel rows"},
        {"hotspot 0 0\nX-\nXO\n", "line 3: a pixel is none of X - . ~"},
        {"hotspot 0 0\nX-\nX\n", "line 3: the row's width differs from the first row's"},
        {"hotspot 2 0\nXX\n", "the hot spot lies outside the image"},
        {"hotspot 0 -1\nXX\n", "the hot spot lies outside the image"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error, ParseCursorText(c.text).error) << c.text;
    }
}

TEST(MonochromeCursor, TheReplyDropCursorIsItsDrawingWithTheHotSpotAtTheTip) {
    const ParsedCursor drawing =
        ParseCursorText(ReadFile(TW_RESOURCE_DIR "/reply_drop_cursor.txt"));
    ASSERT_EQ("", drawing.error);
    EXPECT_EQ(32u, drawing.image.rows.size());
    EXPECT_EQ(32u, drawing.image.rows.front().size());
    EXPECT_EQ(0, drawing.image.hotX);
    EXPECT_EQ(0, drawing.image.hotY);
    EXPECT_EQ('X', drawing.image.rows[0][0]);
    const std::string committed = ReadFile(TW_RESOURCE_DIR "/reply_drop.cur");
    const std::vector<std::uint8_t> made = EncodeMonochromeCursor(drawing.image);
    EXPECT_EQ(std::string(made.begin(), made.end()), committed)
        << "rebuild reply_drop.cur with make_cursor (see tools/cursor)";
}

} // namespace
} // namespace tw::cursor
