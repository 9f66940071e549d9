// A glyph's place in the atlas, as the layout hands it to the writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/glyph_records.hpp"

struct GlyphPlacement {
    std::uint64_t x = 0;  // left column of the bitmap; kNotPlaced without pixels
    std::uint64_t y = 0;  // top row of the bitmap (row 0 is the first); kNotPlaced without pixels
    const zor::GlyphData* glyph = nullptr;  // not owned; the registry holds it
    const zor::GlyphSet* set = nullptr;     // the set holding the glyph: sets of equal names stay apart
    const std::string* fontName = nullptr;  // that set's name
};

// Sorts ascending by glyph height, then width; equal glyphs keep their
// gathered order, so every platform gives the same positions.
void orderPlacements(std::vector<GlyphPlacement>& placements);
