// Composing the atlas image: width x height coverage bytes, 0 where no
// glyph has ink, each glyph's bitmap copied row by row to its place.
#pragma once

#include <cstdint>
#include <vector>

#include "atlas/glyph_placement.hpp"
#include "output/byte_writer.hpp"

// Appends u32 width, u32 height and the image to `out` (which may already
// hold a header), allocating the whole file once. Placements must lie
// inside the image, as the layout guarantees.
void appendAtlasImage(Bytes& out, std::uint32_t width, std::uint32_t height,
                      const std::vector<GlyphPlacement>& placements);

// Copies every glyph's rows to its place in `image`, an all-zero block of
// `width` bytes a row.
void composeAtlasImage(std::uint8_t* image, std::uint32_t width,
                       const std::vector<GlyphPlacement>& placements);
