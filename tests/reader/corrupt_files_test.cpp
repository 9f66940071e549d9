// Strict parsing: small valid files built here byte by byte, then each
// field truncated, set out of range or made inconsistent, with the error
// that must name the file and the offset or line.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "glyphkiln/atlas_reader.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::uint16_t v) { b.push_back(v & 0xFF), b.push_back(v >> 8); }
void put32(Bytes& b, std::uint32_t v) { for (int s = 0; s < 32; s += 8) b.push_back((v >> s) & 0xFF); }
void set16(Bytes& b, std::size_t at, std::uint16_t v) { b[at] = v & 0xFF, b[at + 1] = v >> 8; }
void name(Bytes& b, const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
    b.resize(b.size() + 128 - text.size(), 0);
}
void header(Bytes& b, std::uint32_t type) {
    name(b, "Glyphkiln atlas v1");
    b.resize(20);
    put16(b, 1), put16(b, 0), put32(b, type);
}

// A 4x3 atlas: 'A' 2x3 at 0,0 and 'B' 1x1 at 3,2; a space without pixels.
struct Glyph { std::uint8_t c; std::uint16_t x, y, w, h; std::int16_t left, top; std::uint16_t advance; };
const std::vector<Glyph> kGlyphs = {
    {'A', 0, 0, 2, 3, 0, 3, 3}, {' ', 0, 0, 0, 0, 0, 0, 2}, {'B', 3, 2, 1, 1, -1, 1, 2}};
constexpr std::size_t kFirstGlyph = 157 + 129;  // offset of the first glyph record

Bytes descriptor() {
    Bytes b;
    header(b, 17);
    name(b, "testAtlas.ovx");
    b.push_back(1);
    name(b, "Test Set9");
    b.push_back(static_cast<std::uint8_t>(kGlyphs.size()));
    for (const Glyph& g : kGlyphs) {
        b.push_back(g.c);
        put16(b, g.x), put16(b, g.y), put16(b, g.w), put16(b, g.h);
        put16(b, static_cast<std::uint16_t>(g.left)), put16(b, static_cast<std::uint16_t>(g.top));
        put16(b, g.advance);
    }
    return b;
}

Bytes rawImage() {
    Bytes b;
    put32(b, 4), put32(b, 3);
    const std::uint8_t pixels[12] = {255, 128, 0, 0, 255, 128, 0, 0, 255, 128, 0, 64};
    b.insert(b.end(), pixels, pixels + 12);
    return b;
}

Bytes containerImage() {
    Bytes b;
    header(b, 1);
    const Bytes raw = rawImage();
    b.insert(b.end(), raw.begin(), raw.end());
    return b;
}

std::string glyphText() {
    return "1 fonts\r\nFont named: Test Set9\r\n3 glyphs\r\n"
           "[ A ] xy(0,0) wh(2,3) left(0) top(3) advance(3)\r\n"
           "[   ] xy(0,0) wh(0,0) left(0) top(0) advance(2)\r\n"
           "[ B ] xy(3,2) wh(1,1) left(-1) top(1) advance(2)\r\n";
}

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The message of the AtlasError that parsing throws, or "" when it parses.
std::string errorOf(const Bytes& descriptor, const std::string& descriptorName, const Bytes& image,
                    const std::string& imageName) {
    try {
        glyphkiln::parseAtlas(descriptor, descriptorName, image, imageName);
    } catch (const glyphkiln::AtlasError& e) {
        return e.what();
    }
    return "";
}

TEST(AtlasReader, ReadsBothFormsOfTheSameTable) {
    const glyphkiln::Atlas ovx = glyphkiln::parseAtlas(descriptor(), "test.ovx", containerImage(), "testAtlas.ovx");
    const glyphkiln::Atlas raw = glyphkiln::parseAtlas(bytes(glyphText()), "testAscii.txt", rawImage(), "testAtlas.raw");
    for (const glyphkiln::Atlas* atlas : {&ovx, &raw}) {
        EXPECT_EQ(atlas->image.width, 4u);
        EXPECT_EQ(atlas->image.height, 3u);
        const Bytes raw = rawImage();
        EXPECT_EQ(atlas->image.pixels, Bytes(raw.begin() + 8, raw.end()));
        ASSERT_EQ(atlas->sets.size(), 1u);
        EXPECT_EQ(atlas->sets[0].name, "Test Set9");
        ASSERT_EQ(atlas->sets[0].glyphs.size(), kGlyphs.size());
        for (const Glyph& want : kGlyphs) {
            const glyphkiln::Glyph* g = atlas->find("Test Set9", want.c);
            ASSERT_NE(g, nullptr);
            EXPECT_EQ(std::vector<int>({g->x, g->y, g->width, g->height, g->left, g->top, g->advance}),
                      std::vector<int>({want.x, want.y, want.w, want.h, want.left, want.top, want.advance}));
        }
        EXPECT_EQ(atlas->find("Test Set9", 'C'), nullptr);
        EXPECT_EQ(atlas->find("Other", 'A'), nullptr);
    }
    EXPECT_EQ(ovx.format, glyphkiln::Format::Container);
    EXPECT_EQ(ovx.namedImageFile, "testAtlas.ovx");
    EXPECT_EQ(raw.format, glyphkiln::Format::Raw);
}

struct BinaryCase {
    const char* what;
    std::function<void(Bytes& descriptor, Bytes& image)> corrupt;
    std::string error;
};

TEST(AtlasReader, RefusesEveryCorruptedContainerField) {
    const std::size_t end = descriptor().size();
    const std::vector<BinaryCase> cases = {
        {"empty descriptor", [](Bytes& d, Bytes&) { d.clear(); },
         "test.ovx: offset 0: the file ends inside the signature (20 bytes needed, 0 left)"},
        {"signature", [](Bytes& d, Bytes&) { d[9] = 'X'; },
         "test.ovx: offset 0: not a Glyphkiln atlas file: the signature does not match"},
        {"signature's zero bytes", [](Bytes& d, Bytes&) { d[19] = '!'; },
         "test.ovx: offset 0: not a Glyphkiln atlas file"},
        {"truncated version", [](Bytes& d, Bytes&) { d.resize(21); },
         "test.ovx: offset 20: the file ends inside the major version (2 bytes needed, 1 left)"},
        {"major version", [](Bytes& d, Bytes&) { d[20] = 2; },
         "test.ovx: offset 20: version 2.0 is not supported; this reader reads version 1.0"},
        {"minor version", [](Bytes& d, Bytes&) { d[22] = 1; }, "test.ovx: offset 20: version 1.1 is not supported"},
        {"file type", [](Bytes& d, Bytes&) { d[24] = 1; },
         "test.ovx: offset 24: file type 1 is an atlas image, expected 17 (a glyph descriptor)"},
        {"unknown file type", [](Bytes& d, Bytes&) { d[27] = 1; },
         "test.ovx: offset 24: file type 16777233, expected 17 (a glyph descriptor)"},
        {"truncated image name", [](Bytes& d, Bytes&) { d.resize(100); },
         "test.ovx: offset 28: the file ends inside the image file name (128 bytes needed, 72 left)"},
        {"image name unterminated", [](Bytes& d, Bytes&) { std::fill(d.begin() + 28, d.begin() + 156, 'a'); },
         "test.ovx: offset 28: the image file name has no terminating zero byte"},
        {"image name empty", [](Bytes& d, Bytes&) { d[28] = 0; }, "test.ovx: offset 28: the image file name is empty"},
        {"missing set count", [](Bytes& d, Bytes&) { d.resize(156); },
         "test.ovx: offset 156: the file ends inside the set count (1 bytes needed, 0 left)"},
        {"set count too high", [](Bytes& d, Bytes&) { d[156] = 2; },
         "test.ovx: offset " + std::to_string(end) + ": the file ends inside the name of set 2"},
        {"set name unterminated", [](Bytes& d, Bytes&) { std::fill(d.begin() + 157, d.begin() + 285, 'n'); },
         "test.ovx: offset 157: the name of set 1 has no terminating zero byte"},
        {"missing glyph count", [](Bytes& d, Bytes&) { d.resize(285); },
         "test.ovx: offset 285: the file ends inside the glyph count of set 1"},
        {"glyph count overruns", [](Bytes& d, Bytes&) { d[285] = 4; },
         "test.ovx: offset 285: the glyph count 4 of set 1 (Test Set9) needs 60 bytes, but only 45 are left"},
        {"truncated glyph record", [](Bytes& d, Bytes&) { d.pop_back(); },
         "test.ovx: offset 285: the glyph count 3 of set 1 (Test Set9) needs 45 bytes, but only 44 are left"},
        {"trailing byte", [](Bytes& d, Bytes&) { d.push_back(0); },
         "test.ovx: offset " + std::to_string(end) + ": 1 bytes follow the last glyph set"},
        {"blank glyph with a position", [](Bytes& d, Bytes&) { d[kFirstGlyph + 15 + 1] = 5; },
         "test.ovx: offset 301: glyph [   ] in Test Set9 has no pixels but a rectangle of 5,0 0x0"},
        {"width without height", [](Bytes& d, Bytes&) { d[kFirstGlyph + 7] = 0; },
         "test.ovx: offset 286: glyph [ A ] in Test Set9 has no pixels but a rectangle of 0,0 2x0"},
        {"left -32768", [](Bytes& d, Bytes&) { set16(d, kFirstGlyph + 9, 0x8000); },
         "test.ovx: offset 286: left of glyph [ A ] in Test Set9 is -32768"},
        {"top -32768", [](Bytes& d, Bytes&) { set16(d, kFirstGlyph + 11, 0x8000); },
         "test.ovx: offset 286: top of glyph [ A ] in Test Set9 is -32768"},
        {"x + width beyond 65535", [](Bytes& d, Bytes&) { set16(d, kFirstGlyph + 1, 65535); },
         "test.ovx: offset 286: the rectangle of glyph [ A ] in Test Set9 reaches beyond 65535"},
        {"character twice", [](Bytes& d, Bytes&) { d[kFirstGlyph + 30] = 'A'; },
         "test.ovx: offset 316: glyph [ A ] in Test Set9 appears a second time in its set"},
        {"rectangle right of the image", [](Bytes& d, Bytes&) { d[kFirstGlyph + 30 + 1] = 4; },
         "test.ovx: offset 316: the rectangle of glyph [ B ] in Test Set9 (4,2 1x1) lies outside the 4x3 image"},
        {"rectangle below the image", [](Bytes& d, Bytes&) { d[kFirstGlyph + 7] = 4; },
         "test.ovx: offset 286: the rectangle of glyph [ A ] in Test Set9 (0,0 2x4) lies outside the 4x3 image"},
        {"rectangles overlap", [](Bytes& d, Bytes&) { d[kFirstGlyph + 30 + 1] = 1; },
         "test.ovx: offset 316: the rectangle of glyph [ B ] in Test Set9 overlaps that of glyph [ A ] in "
         "Test Set9 (offset 286)"},
        {"image of the wrong type", [](Bytes&, Bytes& i) { i[24] = 17; },
         "testAtlas.ovx: offset 24: file type 17 is a glyph descriptor, expected 1 (an atlas image)"},
        {"image header truncated", [](Bytes&, Bytes& i) { i.resize(30); },
         "testAtlas.ovx: offset 28: the file ends inside the image width (4 bytes needed, 2 left)"},
        {"image pixels short", [](Bytes&, Bytes& i) { i.pop_back(); },
         "testAtlas.ovx: offset 36: an image of 4x3 pixels needs 12 pixel bytes after its size, but the file has 11"},
        {"image size huge", [](Bytes&, Bytes& i) { std::fill(i.begin() + 28, i.begin() + 36, 0xFF); },
         "testAtlas.ovx: offset 36: an image of 4294967295x4294967295 pixels needs 18446744065119617025 pixel "
         "bytes after its size, but the file has 12"},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes d = descriptor(), i = containerImage();
        c.corrupt(d, i);
        const std::string error = errorOf(d, "test.ovx", i, "testAtlas.ovx");
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << error;
    }
}

struct TextCase {
    const char* what;
    std::string from, to;  // the first `from` in the valid text becomes `to`
    const char* error;
};

TEST(AtlasReader, RefusesEveryCorruptedGlyphTextLine) {
    const std::vector<TextCase> cases = {
        {"no final CR LF", "advance(2)\r\n" + std::string(), "advance(2)", nullptr},
        {"LF alone", "1 fonts\r\n", "1 fonts\n", "testAscii.txt: line 1: column 8: unexpected text after the end of the line"},
        {"set count leading zero", "1 fonts", "01 fonts",
         "testAscii.txt: line 1: column 1: the set count 01 has a leading zero or a minus sign on zero"},
        {"set count too high", "1 fonts", "256 fonts", "testAscii.txt: line 1: column 1: the set count 256 is outside 0 to 255"},
        {"set count suffix", "1 fonts", "1 font", "testAscii.txt: line 1: column 2: expected \" fonts\""},
        {"more sets than given", "1 fonts", "2 fonts", "testAscii.txt: line 7: the file ends before the name of set 2"},
        {"set name line", "Font named: ", "Font name: ", "testAscii.txt: line 2: column 1: expected \"Font named: \""},
        {"set name too long", "Test Set9", std::string(128, 'n'), "testAscii.txt: line 2: the set name is longer than 127 bytes"},
        {"more glyphs than lines", "3 glyphs", "4 glyphs", "testAscii.txt: line 7: the file ends before glyph 4 of 4 of set 1"},
        {"fewer glyphs than lines", "3 glyphs", "2 glyphs", "testAscii.txt: line 6: text follows the last glyph set"},
        {"glyph count too high", "3 glyphs", "300 glyphs",
         "testAscii.txt: line 3: column 1: the glyph count of set 1 300 is outside 0 to 255"},
        {"bracket", "[ A ] xy", "[ A ]xy", "testAscii.txt: line 4: column 4: expected \" ] xy(\""},
        {"x out of range", "xy(3,2)", "xy(65536,2)", "testAscii.txt: line 6: column 10: x 65536 is outside 0 to 65535"},
        {"negative y", "xy(3,2)", "xy(3,-2)", "testAscii.txt: line 6: column 12: expected y as a decimal number"},
        {"width leading zero", "wh(1,1)", "wh(01,1)", "testAscii.txt: line 6: column 18: width 01 has a leading zero"},
        {"left -32768", "left(-1)", "left(-32768)",
         "testAscii.txt: line 6: column 28: left -32768 is outside -32767 to 32767"},
        {"minus zero", "left(-1)", "left(-0)", "testAscii.txt: line 6: column 28: left -0 has a leading zero or a minus sign on zero"},
        {"negative advance", "advance(2)\r\n[ B", "advance(-1)\r\n[ B",
         "testAscii.txt: line 5: column 46: expected advance as a decimal number"},
        {"advance too high", "advance(3)", "advance(65536)", "testAscii.txt: line 4: column 46: advance 65536 is outside 0 to 65535"},
        {"text after the line", "advance(3)", "advance(3) ", "testAscii.txt: line 4: column 48: unexpected text after the end of the line"},
        {"trailing line", "advance(2)\r\n[ B ] xy(3,2) wh(1,1) left(-1) top(1) advance(2)\r\n",
         "advance(2)\r\n[ B ] xy(3,2) wh(1,1) left(-1) top(1) advance(2)\r\n\r\n",
         "testAscii.txt: line 7: text follows the last glyph set"},
        {"blank glyph with a size", "wh(0,0)", "wh(0,1)",
         "testAscii.txt: line 5: glyph [   ] in Test Set9 has no pixels but a rectangle of 0,0 0x1"},
        {"character twice", "[ B ]", "[ A ]", "testAscii.txt: line 6: glyph [ A ] in Test Set9 appears a second time"},
        {"rectangles overlap", "xy(3,2)", "xy(1,2)",
         "testAscii.txt: line 6: the rectangle of glyph [ B ] in Test Set9 overlaps that of glyph [ A ] in Test Set9 (line 4)"},
        {"outside the image", "xy(3,2)", "xy(3,3)",
         "testAscii.txt: line 6: the rectangle of glyph [ B ] in Test Set9 (3,3 1x1) lies outside the 4x3 image"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = glyphText();
        const std::size_t at = c.what == std::string("no final CR LF") ? text.rfind(c.from) : text.find(c.from);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, c.from.size(), c.to);
        const std::string error = errorOf(bytes(text), "testAscii.txt", rawImage(), "testAtlas.raw");
        const std::string want = c.error ? c.error : "testAscii.txt: line 6: the line does not end with CR LF";
        EXPECT_EQ(error.substr(0, want.size()), want) << error;
    }
    Bytes shortImage = rawImage();
    shortImage.push_back(0);
    EXPECT_EQ(errorOf(bytes(glyphText()), "testAscii.txt", shortImage, "testAtlas.raw"),
              "testAtlas.raw: offset 8: an image of 4x3 pixels needs 12 pixel bytes after its size, but the file has 13");
}

// Every cut and every byte forced to 0xFF either parses or throws
// AtlasError; nothing else, and no read outside the buffers.
TEST(AtlasReader, SurvivesEveryTruncationAndByteFlip) {
    const std::vector<std::pair<Bytes, Bytes>> pairs = {{descriptor(), containerImage()},
                                                        {bytes(glyphText()), rawImage()}};
    for (const auto& [d, i] : pairs) {
        for (std::size_t cut = 0; cut < d.size(); ++cut) {
            EXPECT_NE(errorOf(Bytes(d.begin(), d.begin() + cut), "d", i, "i"), "") << "cut at " << cut;
        }
        for (std::size_t at = 0; at < d.size(); ++at) {
            Bytes flipped = d;
            flipped[at] = 0xFF;
            EXPECT_NO_THROW(errorOf(flipped, "d", i, "i")) << "byte " << at;
        }
        for (std::size_t cut = 0; cut < i.size(); ++cut) {
            EXPECT_NE(errorOf(d, "d", Bytes(i.begin(), i.begin() + cut), "i"), "") << "image cut at " << cut;
        }
    }
}

}  // namespace
