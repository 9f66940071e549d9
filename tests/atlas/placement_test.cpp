#include "atlas/placement.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// Beside AtlasPosition, where the assertions look for them; internal to this file.
static bool operator==(const AtlasPosition& a, const AtlasPosition& b) {
    return a.x == b.x && a.y == b.y;
}
static std::ostream& operator<<(std::ostream& out, const AtlasPosition& p) {
    return out << "(" << p.x << ", " << p.y << ")";
}

namespace {

using Positions = std::vector<AtlasPosition>;

// The coverage as the report line prints it.
std::string printedCoverage(std::uint64_t area, std::uint64_t width, std::uint64_t height) {
    std::ostringstream out;
    out << atlasCoverage(area, width, height);
    return out.str();
}

struct Layout {
    std::uint64_t width;
    AtlasLayout layout;
    std::string coverage;
};

// Width search, placement and coverage over glyphs given in sorted order.
Layout layOut(const std::vector<GlyphSize>& sorted, std::uint32_t padding) {
    const std::uint64_t area = totalGlyphArea(sorted);
    const std::uint64_t width = chooseAtlasWidth(area, maxGlyphWidth(sorted), padding);
    AtlasLayout layout = placeGlyphs(sorted, padding, width);
    // The plain scan is the definition; the fast search must agree with it.
    const AtlasLayout reference = placeGlyphsReference(sorted, padding, width);
    EXPECT_EQ(layout.positions, reference.positions);
    EXPECT_EQ(layout.height, reference.height);
    const std::string coverage = printedCoverage(area, layout.width, layout.height);
    return {width, std::move(layout), coverage};
}

constexpr AtlasPosition kNone{kNotPlaced, kNotPlaced};

TEST(Placement, workedExample) {
    // Sorted: space, D 30x3, E 62x4, C 5x5, B 8x12, A 10x12; padding 2.
    const std::vector<GlyphSize> sorted = {{0, 0}, {30, 3}, {62, 4}, {5, 5}, {8, 12}, {10, 12}};
    EXPECT_EQ(totalGlyphArea(sorted), 579u);
    EXPECT_EQ(maxGlyphWidth(sorted), 62u);
    const Layout result = layOut(sorted, 2);
    EXPECT_EQ(result.width, 64u);
    EXPECT_EQ(result.layout.width, 64u);
    EXPECT_EQ(result.layout.height, 20u);
    // A opens the first row, B and C fill it, E is as wide as the atlas and
    // opens a row without remainder, D takes C's right piece.
    EXPECT_EQ(result.layout.positions,
              (Positions{kNone, {29, 0}, {0, 14}, {22, 0}, {12, 0}, {0, 0}}));
    EXPECT_EQ(result.coverage, "45.2344");
}

TEST(Placement, hundredTallGlyphsGrowTheAtlasPastItsWidth) {
    const std::vector<GlyphSize> sorted(100, GlyphSize{1, 100});
    const Layout result = layOut(sorted, 10);
    EXPECT_EQ(result.width, 128u);
    EXPECT_EQ(result.layout.height, 1100u);
    EXPECT_EQ(result.coverage, "7.10227");
    // Eleven padded glyphs per row; the 7 pixels left of each row are not
    // more than the padding and are dropped. The last entry goes first.
    for (std::size_t k = 0; k < 100; ++k) {
        const AtlasPosition expected{11 * (k % 11), 110 * (k / 11)};
        EXPECT_EQ(result.layout.positions[99 - k], expected) << "placed " << k;
    }
}

TEST(Placement, paddingZeroKeepsOnePixelPiecesAndAFullWidthRowHasNoRemainder) {
    // 64x2 fills its row; 63x1 leaves a 1x1 remainder that 1x1 then takes.
    Layout result = layOut({{1, 1}, {63, 1}, {64, 2}}, 0);
    EXPECT_EQ(result.width, 64u);
    EXPECT_EQ(result.layout.height, 3u);
    EXPECT_EQ(result.layout.positions, (Positions{{63, 2}, {0, 2}, {0, 0}}));
    EXPECT_EQ(result.coverage, "100");

    // 4x3 in the 60x4 remainder of 4x4's row leaves a bottom piece 1 pixel
    // tall, which is kept; 60x1 skips the right piece (56 wide) for it.
    result = layOut({{60, 1}, {4, 3}, {4, 4}}, 0);
    EXPECT_EQ(result.layout.height, 4u);
    EXPECT_EQ(result.layout.positions, (Positions{{4, 3}, {4, 0}, {0, 0}}));
}

TEST(Placement, piecesNoLargerThanThePaddingAreDropped) {
    // Padding 1. 3x3 opens a row {4,0,60,4}. 2x2 (padded 3x3) takes it: the
    // bottom piece is 1 tall and dropped, the right one is {7,0,57,3}. 1x1
    // (padded 2x2) takes that: right {9,0,55,2}, bottom {7,2,57,1} dropped.
    // Another 1x1 fits the right piece; a dropped bottom piece would have
    // been listed first and the glyph would sit at (7, 2) instead.
    const Layout result = layOut({{1, 1}, {1, 1}, {2, 2}, {3, 3}}, 1);
    EXPECT_EQ(result.layout.height, 4u);
    EXPECT_EQ(result.layout.positions, (Positions{{9, 0}, {7, 0}, {4, 0}, {0, 0}}));
}

TEST(Placement, largePaddingDrivesTheWidth) {
    const Layout result = layOut({{10, 10}, {10, 10}, {10, 10}}, 100);
    EXPECT_EQ(result.width, 128u);
    // 110 + 110 > 128: one glyph per row.
    EXPECT_EQ(result.layout.height, 330u);
    EXPECT_EQ(result.layout.positions, (Positions{{0, 220}, {0, 110}, {0, 0}}));
}

TEST(Placement, glyphsWithoutPixelsTakeNoSpaceButCountForTheWidth) {
    // A 100 pixel wide glyph without rows still needs a 128 pixel atlas.
    Layout result = layOut({{100, 0}, {2, 2}}, 0);
    EXPECT_EQ(result.width, 128u);
    EXPECT_EQ(result.layout.positions, (Positions{kNone, {0, 0}}));
    EXPECT_EQ(result.layout.height, 2u);

    result = layOut({{0, 0}, {5, 0}, {0, 7}}, 3);
    EXPECT_EQ(result.width, 64u);
    EXPECT_EQ(result.layout.positions, (Positions{kNone, kNone, kNone}));
    EXPECT_EQ(result.layout.height, 0u);
    EXPECT_EQ(result.coverage, "0");

    result = layOut({}, 0);
    EXPECT_EQ(result.width, 64u);
    EXPECT_TRUE(result.layout.positions.empty());
    EXPECT_EQ(result.layout.height, 0u);
    EXPECT_EQ(result.coverage, "0");
}

TEST(AtlasWidth, smallestPowerOfTwoFromSixtyFourThatHoldsAreaAndWidestPaddedGlyph) {
    struct Case {
        std::uint64_t area, maxWidth;
        std::uint32_t padding;
        std::uint64_t width;
    };
    const Case cases[] = {
        {0, 0, 0, 64},
        {0, 0, 64, 64},
        {0, 0, 65, 128},
        {0, 0, 1000, 1024},
        {0, 62, 2, 64},
        {0, 63, 2, 128},
        {4096, 1, 0, 64},
        {4097, 1, 0, 128},
        {579, 62, 2, 64},
        {10000, 1, 10, 128},
        // Past 32 bits: the area and W x W must not wrap.
        {4294967296ull, 1, 0, 65536},
        {4294967297ull, 1, 0, 131072},
        {0, 4294967295ull, 0, 4294967296ull},
        // The largest padding still ends the search.
        {0, 0, 4294967295u, 4294967296ull},
        {0, 5, 4294967295u, 8589934592ull},
        {0, 4294967295ull, 4294967295u, 8589934592ull},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseAtlasWidth(c.area, c.maxWidth, c.padding), c.width)
            << "area " << c.area << ", max width " << c.maxWidth << ", padding " << c.padding;
    }
}

TEST(Placement, largestPaddingIsComputedWithoutWrapping) {
    const std::uint32_t padding = 4294967295u;
    const Layout result = layOut({{1, 1}, {1, 1}}, padding);
    EXPECT_EQ(result.width, 4294967296ull);
    // Each padded glyph is exactly as wide as the atlas: two rows.
    EXPECT_EQ(result.layout.positions, (Positions{{0, 4294967296ull}, {0, 0}}));
    EXPECT_EQ(result.layout.height, 8589934592ull);
}

TEST(Coverage, printedLikeTheDefaultStreamFloat) {
    EXPECT_EQ(printedCoverage(579, 64, 20), "45.2344");
    EXPECT_EQ(printedCoverage(10000, 128, 1100), "7.10227");
    EXPECT_EQ(printedCoverage(4096, 64, 64), "100");
    EXPECT_EQ(printedCoverage(2048, 64, 64), "50");
    EXPECT_EQ(printedCoverage(0, 64, 0), "0");
    EXPECT_EQ(printedCoverage(0, 64, 10), "0");
    // W x height beyond 32 bits.
    EXPECT_EQ(printedCoverage(4294967296ull, 65536, 131072), "50");
}

}  // namespace
