#include "fonts/font_loader.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_fixtures.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::set<std::uint8_t>& set) { return Bytes(set.begin(), set.end()); }

TEST(CharacterSet, emptyTextGivesPrintableAsciiInOrder) {
    const Bytes set = bytesOf(characterSetFor(""));
    ASSERT_EQ(set.size(), 95u);
    for (std::size_t i = 0; i < set.size(); ++i) EXPECT_EQ(set[i], 32 + i);
}

TEST(CharacterSet, distinctBytesAscendingAsUnsigned) {
    EXPECT_EQ(bytesOf(characterSetFor("cabbac")), (Bytes{'a', 'b', 'c'}));
    // Latin-1 bytes sort after 0x00..0x7F; spaces and control bytes count.
    EXPECT_EQ(bytesOf(characterSetFor(std::string("\xE9z\x80 \x7F\xFF\x01\xE9", 8))),
              (Bytes{0x01, ' ', 'z', 0x7F, 0x80, 0xE9, 0xFF}));
    EXPECT_EQ(bytesOf(characterSetFor(std::string(1, '\0'))), (Bytes{0}));
}

TEST(GlyphSetName, familyStyleAndSizeWithNothingBetween) {
    EXPECT_EQ(glyphSetName("Sample Sans", "Regular", 15), "Sample SansRegular15");
    EXPECT_EQ(glyphSetName(nullptr, "Regular", 6), "Regular6");
    EXPECT_EQ(glyphSetName("Kiln", nullptr, 0), "Kiln0");
    EXPECT_EQ(glyphSetName(nullptr, nullptr, 4294967295u), "4294967295");
}

struct Expected {
    std::uint8_t character;
    std::int32_t left, top, advance;
    std::uint32_t width, height;
    Bytes pixels;
};

void expectGlyph(const zor::GlyphData& glyph, const Expected& e) {
    SCOPED_TRACE(std::string("character ") + std::to_string(e.character));
    EXPECT_EQ(glyph.character, e.character);
    EXPECT_EQ(glyph.left, e.left);
    EXPECT_EQ(glyph.top, e.top);
    EXPECT_EQ(glyph.advance, e.advance);
    EXPECT_EQ(glyph.width, e.width);
    EXPECT_EQ(glyph.height, e.height);
    EXPECT_EQ(glyph.pixels, e.pixels);
}

class Rasterise : public testing::Test {
protected:
    zor::GlyphSet load(const std::string& path, unsigned size, const std::string& characters,
                       std::uint64_t maxBytes = 4294967296ull) {
        const fixtures::Face face = fixtures::openFace(library, path, size);
        zor::GlyphSet set;
        const LoadRequest request{path, size, pixelBytes, maxBytes};
        rasteriseCharacters(face.get(), characterSetFor(characters), request, set);
        return set;
    }

    fixtures::Library library = fixtures::openLibrary();
    std::uint64_t pixelBytes = 0;
};

constexpr std::uint8_t X = 255;

TEST_F(Rasterise, bitmapStrikeGivesExactGlyphsInByteOrder) {
    // Unsorted and repeated, with a Latin-1 byte: 0xE9 is U+00E9 in the
    // font's Unicode charmap, a real 2x2 glyph, not the 1x1 default.
    const zor::GlyphSet set = load(fixtures::font("kiln-tiny.bdf"), 8, "\xE9" "cabbac A");
    ASSERT_EQ(set.glyphs.size(), 6u);
    expectGlyph(*set.glyphs[0], {' ', 0, 0, 4, 0, 0, {}});
    expectGlyph(*set.glyphs[1], {'A', 0, 7, 6, 5, 7,
                                 {0, X, X, X, 0,  //
                                  X, 0, 0, 0, X,  //
                                  X, 0, 0, 0, X,  //
                                  X, X, X, X, X,  //
                                  X, 0, 0, 0, X,  //
                                  X, 0, 0, 0, X,  //
                                  X, 0, 0, 0, X}});
    expectGlyph(*set.glyphs[2], {'a', 0, 4, 5, 4, 4,
                                 {0, X, X, 0,  //
                                  X, 0, 0, X,  //
                                  X, 0, 0, X,  //
                                  0, X, X, X}});
    expectGlyph(*set.glyphs[3], {'b', 0, 5, 4, 3, 5,
                                 {X, 0, 0,  //
                                  X, 0, 0,  //
                                  X, X, X,  //
                                  X, 0, X,  //
                                  X, X, X}});
    // Ten pixels wide: two bytes per source row; starts left of the origin.
    expectGlyph(*set.glyphs[4], {'c', -1, 1, 9, 10, 2,
                                 {X, X, X, X, X, X, X, X, X, X,  //
                                  X, 0, 0, 0, 0, 0, 0, 0, 0, X}});
    expectGlyph(*set.glyphs[5], {0xE9, 0, 7, 3, 2, 2, {X, X, 0, X}});
    EXPECT_EQ(pixelBytes, 35u + 16 + 15 + 20 + 4);
}

TEST_F(Rasterise, defaultSetHas95GlyphsAndMissingOnesTakeTheDefaultShape) {
    const zor::GlyphSet set = load(fixtures::font("kiln-tiny.bdf"), 8, "");
    ASSERT_EQ(set.glyphs.size(), 95u);
    for (std::size_t i = 0; i < 95; ++i) EXPECT_EQ(set.glyphs[i]->character, 32 + i);
    // The space has no pixels but keeps its advance.
    expectGlyph(*set.glyphs[0], {' ', 0, 0, 4, 0, 0, {}});
    // 'B' is not in the font: FreeType gives glyph 0, the 1x1 '?'.
    expectGlyph(*set.glyphs['B' - 32], {'B', 0, 1, 1, 1, 1, {X}});
}

TEST_F(Rasterise, outlineFontGivesGreyCoverageAndAnInklessSpace) {
    const zor::GlyphSet set = load(fixtures::dejavu("DejaVuSans.ttf"), 32, " .A");
    ASSERT_EQ(set.glyphs.size(), 3u);
    const zor::GlyphData& space = *set.glyphs[0];
    EXPECT_EQ(space.width * space.height, 0u);
    EXPECT_TRUE(space.pixels.empty());
    EXPECT_GT(space.advance, 0);

    for (const auto& glyph : set.glyphs) {
        EXPECT_EQ(glyph->pixels.size(), std::size_t{glyph->width} * glyph->height);
    }
    const zor::GlyphData& a = *set.glyphs[2];
    EXPECT_GT(a.width, 10u);
    EXPECT_GT(a.height, 15u);
    // Anti-aliased: full ink and partial coverage both occur.
    bool full = false, partial = false;
    for (std::uint8_t p : a.pixels) {
        full = full || p == 255;
        partial = partial || (p != 0 && p != 255);
    }
    EXPECT_TRUE(full);
    EXPECT_TRUE(partial);
}

TEST_F(Rasterise, pixelBudgetNamesFontAndSizeOnceExceeded) {
    const std::string path = fixtures::font("kiln-tiny.bdf");
    // 'A' takes 35 bytes, 'a' 16: the second passes a budget of 50.
    try {
        load(path, 8, "Aa", 50);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "loadFontCharacters failed for " + path +
                      ", size 8; the glyph pixels of this run would exceed 50 bytes");
    }
    EXPECT_EQ(pixelBytes, 35u);

    // The budget counts the whole run: a later font finds it partly used.
    pixelBytes = 0;
    EXPECT_NO_THROW(load(path, 8, "Aa", 51));
    EXPECT_THROW(load(path, 8, "?", 51), std::runtime_error);
    EXPECT_NO_THROW(load(path, 8, " ", 51));  // inkless glyphs cost nothing
}

}  // namespace
