#include "atlas/glyph_placement.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Glyph {
    char character;
    std::uint32_t width, height;
};

// The characters of `glyphs` after ordering them as gathered.
std::string ordered(const std::vector<Glyph>& glyphs) {
    std::vector<zor::GlyphData> records(glyphs.size());
    std::vector<GlyphPlacement> placements;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        records[i].character = static_cast<std::uint8_t>(glyphs[i].character);
        records[i].width = glyphs[i].width;
        records[i].height = glyphs[i].height;
        placements.push_back({0, 0, &records[i], nullptr, nullptr});
    }
    orderPlacements(placements);
    std::string characters;
    for (const GlyphPlacement& p : placements) characters += static_cast<char>(p.glyph->character);
    return characters;
}

TEST(GlyphOrder, ascendingByHeightThenWidthKeepingGatheredOrderOfEqualSizes) {
    EXPECT_EQ(ordered({{'A', 10, 12}, {'B', 8, 12}, {'C', 5, 5}, {'D', 30, 3}, {'E', 62, 4},
                       {' ', 0, 0}}),
              " DECBA");
    // Equal sizes stay as gathered, whichever comes first.
    EXPECT_EQ(ordered({{'x', 3, 3}, {'y', 2, 2}, {'X', 3, 3}, {'z', 3, 2}, {'w', 0, 3}}), "yzwxX");
    EXPECT_EQ(ordered({{'X', 3, 3}, {'y', 2, 2}, {'x', 3, 3}}), "yXx");
    // Compared as unsigned: the largest values sort last.
    EXPECT_EQ(ordered({{'h', 1, 0x80000000u}, {'w', 0x80000000u, 1}, {'s', 1, 1}}), "swh");
}

}  // namespace
