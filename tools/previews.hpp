// Pictures made from an atlas alone: every glyph's rectangle outlined,
// and a line of text laid out on a baseline from the glyph metrics.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "glyphkiln/atlas_reader.hpp"

// The atlas in RGB, each glyph's rectangle outlined in its set's colour.
std::vector<std::uint8_t> boxesImage(const glyphkiln::Atlas& atlas);

// The colour of the set at `index`: every set of one atlas gets its own.
void setColour(std::size_t index, std::uint8_t rgb[3]);

// `text` laid out from pen position 0: glyph i's bitmap has its left
// column at pen + left and its top row `top` rows above the baseline; the
// pen moves by each glyph's advance. The image is just large enough for
// every bitmap and the whole advance; overlapping ink keeps the larger
// coverage.
struct RenderedText {
    glyphkiln::Image image;
    std::int64_t originX = 0;   // image column of pen position 0
    std::int64_t baseline = 0;  // image row just below the ascent: a glyph's row `top` above it is its first
};

// Throws std::runtime_error when a character of `text` is not in `set`.
RenderedText renderText(const glyphkiln::GlyphSet& set, const glyphkiln::Image& atlas,
                        const std::string& text);
