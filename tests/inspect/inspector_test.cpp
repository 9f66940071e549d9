// The built glyphkiln-inspect: the render proof against FreeType, PNGs
// decoded back with libpng, and its verdict on valid and broken files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "glyphkiln/atlas_reader.hpp"
#include "previews.hpp"
#include "reader/atlas_fixture.hpp"

namespace {

using reader_test::decodePng;
using reader_test::runInspect;

// `word` composed straight from FreeType's bitmaps: pen from 0 by each
// advance, bitmap at pen + left and `top` rows above the baseline, the
// image spanning every bitmap and the whole advance, overlaps by maximum.
reader_test::DecodedPng composeWithFreeType(const std::string& font, unsigned size, const std::string& word) {
    const reader_test::FtFace face(font, size);
    std::vector<reader_test::FtGlyph> glyphs;
    int pen = 0, minX = 0, maxX = 0, ascent = 0, descent = 0;
    std::vector<int> pens;
    for (char c : word) {
        glyphs.push_back(face.glyph(static_cast<std::uint8_t>(c)));
        const reader_test::FtGlyph& g = glyphs.back();
        pens.push_back(pen);
        if (g.width && g.height) {
            minX = std::min(minX, pen + g.left);
            maxX = std::max(maxX, pen + g.left + static_cast<int>(g.width));
            ascent = std::max(ascent, g.top);
            descent = std::max(descent, static_cast<int>(g.height) - g.top);
        }
        pen += g.advance;
    }
    maxX = std::max(maxX, pen);
    reader_test::DecodedPng out;
    out.width = static_cast<std::uint32_t>(maxX - minX);
    out.height = static_cast<std::uint32_t>(ascent + descent);
    out.pixels.assign(std::size_t{out.width} * out.height, 0);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const reader_test::FtGlyph& g = glyphs[i];
        for (unsigned r = 0; r < g.height; ++r) {
            for (unsigned c = 0; c < g.width; ++c) {
                const std::size_t x = static_cast<std::size_t>(pens[i] + g.left - minX) + c;
                const std::size_t y = static_cast<std::size_t>(ascent - g.top) + r;
                std::uint8_t& p = out.pixels[y * out.width + x];
                p = std::max(p, g.pixels[r * g.width + c]);
            }
        }
    }
    return out;
}

struct RenderCase {
    std::string font;
    unsigned size;
    std::string set, word;
};

TEST(InspectorRender, MatchesTheWordComposedFromFreeTypeGlyphs) {
    const std::vector<RenderCase> cases = {
        {reader_test::kBitmapFont, 12, "Kiln TestRegular12", "Align. nail"},
        // Kerning pairs (AV, Wa, To), negative left bearings (j, y), descenders.
        {reader_test::kOutlineFont, 24, "DejaVu SansBook24", "AVWay jig, To fox."},
        {reader_test::kOutlineFont, 11, "DejaVu SansBook11", "j_j"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(c.set + ": " + c.word);
        const support_test::ScratchDir dir;
        // Another set in the same atlas, so the glyphs lie among others.
        const std::string descriptor = reader_test::buildAtlas(
            dir, c.font + " " + std::to_string(c.size) + "\n" + reader_test::kOutlineFont + " 13\n", false);
        const std::string png = (dir.path() / "word.png").string();
        const e2e::Result run = runInspect({descriptor, "--render", c.word, "--set", c.set, "--png", png});
        ASSERT_EQ(run.status, 0) << run.err;
        const reader_test::DecodedPng rendered = decodePng(png);
        const reader_test::DecodedPng expected = composeWithFreeType(c.font, c.size, c.word);
        EXPECT_FALSE(rendered.colour);
        ASSERT_EQ(rendered.width, expected.width);
        ASSERT_EQ(rendered.height, expected.height);
        EXPECT_EQ(rendered.pixels, expected.pixels);
        EXPECT_GT(std::count_if(rendered.pixels.begin(), rendered.pixels.end(), [](auto p) { return p != 0; }), 10);
    }
}

TEST(InspectorPng, AtlasPngDecodesToTheAtlasBytes) {
    for (bool raw : {false, true}) {
        SCOPED_TRACE(raw ? "raw" : "ovx");
        const support_test::ScratchDir dir;
        const std::string descriptor = reader_test::buildAtlas(
            dir, reader_test::kOutlineFont + " 14\n" + reader_test::kBitmapFont + " 12\n", raw);
        const std::string png = (dir.path() / "atlas.png").string();
        const e2e::Result run = runInspect({descriptor, "--png", png});
        ASSERT_EQ(run.status, 0) << run.err;
        const glyphkiln::Atlas atlas = glyphkiln::loadAtlas(descriptor);
        const reader_test::DecodedPng decoded = decodePng(png);
        EXPECT_FALSE(decoded.colour);
        EXPECT_FALSE(decoded.alpha);
        EXPECT_EQ(decoded.width, atlas.image.width);
        EXPECT_EQ(decoded.height, atlas.image.height);
        EXPECT_EQ(decoded.pixels, atlas.image.pixels);
    }
}

TEST(InspectorPng, BoxesOutlineEveryRectangleInItsSetsColour) {
    const support_test::ScratchDir dir;
    const std::string descriptor = reader_test::buildAtlas(
        dir, reader_test::kOutlineFont + " 20\n" + reader_test::kOutlineFont + " 30\n", false, "2");
    const std::string png = (dir.path() / "boxes.png").string();
    ASSERT_EQ(runInspect({descriptor, "--boxes", "--png", png}).status, 0);
    const glyphkiln::Atlas atlas = glyphkiln::loadAtlas(descriptor);
    const reader_test::DecodedPng boxes = decodePng(png);
    ASSERT_TRUE(boxes.colour);
    ASSERT_EQ(boxes.width, atlas.image.width);
    ASSERT_EQ(boxes.height, atlas.image.height);
    const auto pixel = [&](unsigned x, unsigned y) {
        const std::uint8_t* p = &boxes.pixels[3 * (std::size_t{y} * boxes.width + x)];
        return std::vector<int>{p[0], p[1], p[2]};
    };
    std::uint8_t first[3], second[3];
    setColour(0, first), setColour(1, second);
    EXPECT_NE(std::vector<int>(first, first + 3), std::vector<int>(second, second + 3));
    for (std::size_t s = 0; s < atlas.sets.size(); ++s) {
        std::uint8_t colour[3];
        setColour(s, colour);
        const std::vector<int> want(colour, colour + 3);
        for (const glyphkiln::Glyph& g : atlas.sets[s].glyphs) {
            if (!g.hasPixels()) continue;
            EXPECT_EQ(pixel(g.x, g.y), want);
            EXPECT_EQ(pixel(g.x + g.width - 1u, g.y + g.height - 1u), want);
            if (g.width > 2 && g.height > 2) {  // inside the outline: the atlas in grey
                const int v = atlas.image.at(g.x + 1u, g.y + 1u);
                EXPECT_EQ(pixel(g.x + 1u, g.y + 1u), std::vector<int>({v, v, v}));
            }
        }
    }
}

TEST(InspectorVerdict, ValidFilesExitZeroAndBrokenOnesOneWithTheReason) {
    const support_test::ScratchDir dir;
    const std::string descriptor = reader_test::buildAtlas(dir, reader_test::kBitmapFont + " 12 Ail\n", false);
    const e2e::Result valid = runInspect({descriptor});
    EXPECT_EQ(valid.status, 0);
    EXPECT_EQ(valid.out.rfind(descriptor + ": valid ovx glyph descriptor", 0), 0u) << valid.out;
    EXPECT_NE(valid.out.find("  Kiln TestRegular12: 3 glyphs (0 without pixels)"), std::string::npos) << valid.out;

    const e2e::Result json = runInspect({descriptor, "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"format\":\"ovx\",", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("{\"code\":65,"), std::string::npos);

    std::string bytes = support_test::readBytes(descriptor);
    bytes[285] = 9;  // the glyph count now overruns the file
    const std::string broken = dir.write("broken.ovx", bytes);
    dir.write("brokenAtlas.ovx", support_test::readBytes(dir.path() / "atlasAtlas.ovx"));
    const e2e::Result invalid = runInspect({broken});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.out, "");
    EXPECT_EQ(invalid.err, "glyphkiln-inspect: " + broken +
                               ": offset 285: the glyph count 9 of set 1 (Kiln TestRegular12) needs 135 bytes, "
                               "but only 45 are left\n");

    const std::string png = (dir.path() / "x.png").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{descriptor, "--render", "Aix", "--set", "Kiln TestRegular12", "--png", png},
         "glyphkiln-inspect: the set Kiln TestRegular12 has no glyph for [ x ]\n"},
        {{descriptor, "--render", "A", "--set", "Nope", "--png", png},
         "glyphkiln-inspect: the atlas has no glyph set named Nope\n"},
        {{descriptor, "--render", "A", "--png", png}, "glyphkiln-inspect: --render and --set go together\n"},
        {{descriptor, "--boxes"}, "glyphkiln-inspect: --boxes needs --png FILE\n"},
        {{descriptor, "--frobnicate"}, "glyphkiln-inspect: unknown option --frobnicate\n"},
        {{}, "glyphkiln-inspect: no descriptor given\n"},
    };
    for (const auto& [args, message] : failures) {
        const e2e::Result run = runInspect(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.substr(0, message.size()), message);
    }
}

}  // namespace
