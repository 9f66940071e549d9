// The indexed first-fit search must give exactly the positions of the plain
// scan, on realistic font mixes and on inputs built to strain the index.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "atlas/placement.hpp"

namespace {

void sortForPlacement(std::vector<GlyphSize>& sizes) {
    std::stable_sort(sizes.begin(), sizes.end(), [](const GlyphSize& a, const GlyphSize& b) {
        return a.height != b.height ? a.height < b.height : a.width < b.width;
    });
}

std::uint64_t widthFor(const std::vector<GlyphSize>& sizes, std::uint32_t padding) {
    return chooseAtlasWidth(totalGlyphArea(sizes), maxGlyphWidth(sizes), padding);
}

void expectSameLayout(const std::vector<GlyphSize>& sizes, std::uint32_t padding,
                      std::uint64_t width, const std::string& what) {
    const AtlasLayout fast = placeGlyphs(sizes, padding, width);
    const AtlasLayout reference = placeGlyphsReference(sizes, padding, width);
    ASSERT_EQ(fast.width, reference.width) << what;
    ASSERT_EQ(fast.height, reference.height) << what;
    ASSERT_EQ(fast.positions.size(), reference.positions.size()) << what;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ASSERT_EQ(fast.positions[i].x, reference.positions[i].x) << what << ", glyph " << i;
        ASSERT_EQ(fast.positions[i].y, reference.positions[i].y) << what << ", glyph " << i;
    }
}

std::vector<GlyphSize> randomSizes(std::mt19937& random, std::size_t count, std::uint32_t maxWidth,
                                   std::uint32_t maxHeight, int zeroPercent) {
    std::uniform_int_distribution<std::uint32_t> w(1, maxWidth), h(1, maxHeight);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<GlyphSize> sizes(count);
    for (GlyphSize& s : sizes) {
        s = {w(random), h(random)};
        if (percent(random) < zeroPercent) (percent(random) < 50 ? s.width : s.height) = 0;
    }
    sortForPlacement(sizes);
    return sizes;
}

// Glyph sets as fonts give them: per size, glyphs a little narrower and
// lower than the size, spaces without pixels, a few wide ones.
std::vector<GlyphSize> fontLikeSizes(std::mt19937& random, std::uint32_t firstSize,
                                     std::uint32_t lastSize) {
    std::vector<GlyphSize> sizes;
    for (std::uint32_t size = firstSize; size <= lastSize; ++size) {
        std::uniform_int_distribution<std::uint32_t> w(1, size), h(1, size + size / 4);
        for (int c = 0; c < 95; ++c) sizes.push_back(c == 0 ? GlyphSize{0, 0} : GlyphSize{w(random), h(random)});
    }
    sortForPlacement(sizes);
    return sizes;
}

TEST(PlacementEquivalence, MatchesTheWorkedExample) {
    // A 10x12, B 8x12, C 5x5, D 30x3, E 62x4 and a space, padding 2.
    std::vector<GlyphSize> sizes = {{10, 12}, {8, 12}, {5, 5}, {30, 3}, {62, 4}, {0, 0}};
    sortForPlacement(sizes);  // space, D, E, C, B, A
    const AtlasLayout layout = placeGlyphs(sizes, 2, 64);
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected = {
        {kNotPlaced, kNotPlaced}, {29, 0}, {0, 14}, {22, 0}, {12, 0}, {0, 0}};
    ASSERT_EQ(layout.positions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(layout.positions[i].x, expected[i].first) << i;
        EXPECT_EQ(layout.positions[i].y, expected[i].second) << i;
    }
    EXPECT_EQ(layout.height, 20u);
}

TEST(PlacementEquivalence, RandomMixes) {
    struct Mix {
        const char* name;
        std::size_t count;
        std::uint32_t maxWidth, maxHeight;
        int zeroPercent;
    };
    const Mix mixes[] = {
        {"small", 95, 20, 24, 5},       {"medium", 2400, 40, 48, 3},
        {"squat", 3000, 120, 6, 0},     {"tall", 3000, 6, 120, 0},
        {"tiny", 4000, 3, 3, 10},       {"wide range", 2000, 300, 300, 2},
        {"one row", 500, 64, 1, 0},     {"few", 7, 50, 50, 30},
    };
    std::mt19937 random(20240611);
    for (const Mix& mix : mixes) {
        for (std::uint32_t padding : {0u, 1u, 2u, 5u, 17u}) {
            for (int round = 0; round < 4; ++round) {
                const std::vector<GlyphSize> sizes =
                    randomSizes(random, mix.count, mix.maxWidth, mix.maxHeight, mix.zeroPercent);
                const std::uint64_t width = widthFor(sizes, padding);
                const std::string what = std::string(mix.name) + ", padding " +
                                         std::to_string(padding) + ", round " + std::to_string(round);
                expectSameLayout(sizes, padding, width, what);
                // A wider atlas than the search picks leaves long free rows.
                expectSameLayout(sizes, padding, width * 4, what + ", wide");
            }
        }
    }
}

TEST(PlacementEquivalence, FontLikeSets) {
    std::mt19937 random(7);
    for (std::uint32_t padding : {0u, 2u, 4u}) {
        const std::vector<GlyphSize> sizes = fontLikeSizes(random, 8, 58);  // 255 sets' worth
        expectSameLayout(sizes, padding, widthFor(sizes, padding),
                         "font-like, padding " + std::to_string(padding));
    }
}

TEST(PlacementEquivalence, AdversarialShapes) {
    struct Case {
        const char* name;
        std::vector<GlyphSize> sizes;
        std::uint32_t padding;
    };
    std::vector<Case> cases;
    {
        // One height, widths in every order: only the width search decides.
        std::vector<GlyphSize> s;
        for (std::uint32_t w = 1; w <= 600; ++w) s.push_back({(w * 37) % 61 + 1, 9});
        cases.push_back({"equal heights", s, 1});
    }
    {
        // Heights falling one by one: every bottom piece waits, then fits.
        std::vector<GlyphSize> s;
        for (std::uint32_t h = 1; h <= 300; ++h) {
            for (std::uint32_t k = 0; k < 3; ++k) s.push_back({(h * 13 + k * 7) % 50 + 1, h});
        }
        cases.push_back({"falling heights", s, 0});
    }
    {
        // A few huge glyphs over many 1x1 ones: long lists of tiny pieces.
        std::vector<GlyphSize> s(5000, GlyphSize{1, 1});
        for (std::uint32_t k = 0; k < 8; ++k) s.push_back({200 + k * 30, 150 + k * 20});
        cases.push_back({"huge and tiny", s, 0});
        cases.push_back({"huge and tiny, padded", s, 3});
    }
    {
        // Glyphs as wide as the atlas allows leave no row remainder.
        std::vector<GlyphSize> s;
        for (std::uint32_t k = 0; k < 200; ++k) s.push_back({k % 3 == 0 ? 62u : 1 + k % 61, 1 + k % 7});
        cases.push_back({"full-width rows", s, 2});
    }
    {
        // Pieces exactly as large as the padding are dropped, one larger kept.
        std::vector<GlyphSize> s;
        for (std::uint32_t k = 0; k < 400; ++k) s.push_back({4 + k % 3, 4 + (k / 3) % 3});
        cases.push_back({"padding-sized pieces", s, 2});
    }
    {
        // Only glyphs without pixels: nothing is placed.
        std::vector<GlyphSize> s = {{0, 0}, {0, 7}, {9, 0}, {0, 0}};
        cases.push_back({"no pixels", s, 1});
        cases.push_back({"nothing", {}, 0});
    }
    for (Case& c : cases) {
        sortForPlacement(c.sizes);
        expectSameLayout(c.sizes, c.padding, widthFor(c.sizes, c.padding), c.name);
    }
}

TEST(PlacementEquivalence, LongFreeLists) {
    // Rows whose remainders are too narrow for most later glyphs pile up
    // hundreds of free rectangles; glyphs then take them from the middle of
    // the list, and lower bottom pieces wait for their turn.
    std::mt19937 random(4242);
    struct Mix {
        const char* name;
        std::uint32_t minWidth, maxWidth, maxHeight;
        std::uint64_t atlasWidth;
        std::size_t count;
    };
    const Mix mixes[] = {
        {"wide over half", 520, 1000, 40, 1024, 3000},
        {"wide and narrow", 1, 1000, 60, 1024, 4000},
        {"quarter widths", 200, 300, 200, 1024, 3000},
        {"just over half", 513, 530, 8, 1024, 2000},
    };
    for (const Mix& mix : mixes) {
        for (std::uint32_t padding : {0u, 3u}) {
            std::uniform_int_distribution<std::uint32_t> w(mix.minWidth, mix.maxWidth),
                h(1, mix.maxHeight);
            std::vector<GlyphSize> sizes(mix.count);
            for (GlyphSize& s : sizes) s = {w(random), h(random)};
            sortForPlacement(sizes);
            expectSameLayout(sizes, padding, mix.atlasWidth,
                             std::string(mix.name) + ", padding " + std::to_string(padding));
        }
    }
}

TEST(PlacementEquivalence, InputNotTallestFirstStillMatches) {
    // Out of order the indexed search cannot be used; the result must still
    // be the plain scan's.
    std::mt19937 random(99);
    for (int round = 0; round < 20; ++round) {
        std::vector<GlyphSize> sizes = randomSizes(random, 300, 30, 30, 5);
        std::shuffle(sizes.begin(), sizes.end(), random);
        expectSameLayout(sizes, 1, widthFor(sizes, 1), "shuffled, round " + std::to_string(round));
    }
}

}  // namespace
