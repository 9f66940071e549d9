// Atlas placement over plain glyph sizes: the width search and the
// first-fit shelf packer with guillotine cuts. No fonts needed.
//
// Glyphs are given in ascending order (height, then width) and placed from
// the last to the first, tallest first. Each glyph takes the first free
// rectangle, in creation order, that holds it with its padding; the
// rectangle is cut into a piece right of the glyph (as tall as the padded
// glyph) and a piece below it (as wide as the rectangle). A glyph that fits
// nowhere opens a new row at the left edge below everything placed so far.
// All arithmetic is 64-bit, so no padding or size can make it wrap.
#pragma once

#include <cstdint>
#include <vector>

struct GlyphSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct AtlasPosition {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
};

// The position given to a glyph without pixels.
constexpr std::uint64_t kNotPlaced = 0xFFFFFFFFu;

struct AtlasLayout {
    std::vector<AtlasPosition> positions;  // one per glyph, in the order given
    std::uint64_t width = 0;               // a power of two, at least 64
    std::uint64_t height = 0;              // bottom edge of the last row
};

// The smallest power of two, at least 64, that is at least
// padding + maxWidth and whose square is at least totalArea.
std::uint64_t chooseAtlasWidth(std::uint64_t totalArea, std::uint64_t maxWidth,
                               std::uint32_t padding);

// Places `sorted` (ascending by height, then width) into an atlas `width`
// pixels wide. Glyphs with a zero width or height get kNotPlaced. Finds
// each first fit in logarithmic time; the positions are exactly those of
// placeGlyphsReference, for any input.
AtlasLayout placeGlyphs(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                        std::uint64_t width);

// The same placement by a plain scan of the free list for every glyph: the
// definition that placeGlyphs is checked against.
AtlasLayout placeGlyphsReference(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                                 std::uint64_t width);

// The sum of width x height over `sizes`, and their greatest width.
std::uint64_t totalGlyphArea(const std::vector<GlyphSize>& sizes);
std::uint64_t maxGlyphWidth(const std::vector<GlyphSize>& sizes);

// Share of the atlas covered by glyph pixels, in percent, as printed in the
// report; 0 for an atlas without rows.
float atlasCoverage(std::uint64_t totalArea, std::uint64_t width, std::uint64_t height);
