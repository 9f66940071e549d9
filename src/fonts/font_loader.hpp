// Rasterising the characters of one open FreeType face into glyph records.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/glyph_records.hpp"

// The distinct bytes of `characters` in ascending unsigned order; the
// printable ASCII range 32..126 when `characters` is empty.
std::set<std::uint8_t> characterSetFor(const std::string& characters);

// family + style + size in decimal; a missing family or style is empty.
std::string glyphSetName(const char* family, const char* style, std::uint32_t pixelSize);

// What limits and names a rasterisation, for its messages.
struct LoadRequest {
    const std::string& path;
    std::uint32_t pixelSize;
    std::uint64_t& pixelBytes;    // running total of the run's glyph pixel bytes
    std::uint64_t maxPixelBytes;  // refuse a glyph that would take the total past this
};

// Renders each character of `characterSet` with FT_LOAD_RENDER from `face`
// (its size already set) and appends one GlyphData per character to `set`.
// Bytes 0x80..0xFF are Latin-1: the character code is the byte's value.
void rasteriseCharacters(FT_Face face, const std::set<std::uint8_t>& characterSet,
                         const LoadRequest& request, zor::GlyphSet& set);
