// The records that carry rasterised fonts from the loader to the layout and
// the writers. Plain data: filled once by the loader, read by everyone else.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zor {

// One glyph of one face at one size, as FreeType rendered it.
struct GlyphData {
    std::int32_t left = 0;     // pen origin to the bitmap's left column, in pixels
    std::int32_t top = 0;      // baseline up to the bitmap's top row, positive upwards
    std::int32_t advance = 0;  // pen advance in whole pixels (26.6 >> 6, towards minus infinity)
    std::uint32_t width = 0;   // bitmap width, also the bytes in one row of `pixels`
    std::uint32_t height = 0;  // bitmap rows
    std::uint8_t character = 0;        // the byte that requested this glyph
    std::vector<std::uint8_t> pixels;  // width x height coverage bytes, top row first, no padding

    bool hasPixels() const { return width != 0 && height != 0; }
};

// One face rasterised at one pixel size.
struct GlyphSet {
    std::vector<std::shared_ptr<GlyphData>> glyphs;  // ascending by character
    std::string name;  // family + style + size, e.g. "Sample SansRegular15"; not unique
};

// Every size loaded from one font file, in ascending size.
struct FontSizes {
    std::map<std::uint32_t, std::shared_ptr<GlyphSet>> glyphSets;
};

}  // namespace zor

// Every loaded font file by its path as configured. std::string orders its
// keys byte-wise as unsigned values, the shorter of a prefix pair first.
using FontRegistry = std::map<std::string, std::shared_ptr<zor::FontSizes>>;

// The glyph sets of `registry` in visiting order: path ascending, then size.
std::vector<std::shared_ptr<zor::GlyphSet>> setsInVisitingOrder(const FontRegistry& registry);
