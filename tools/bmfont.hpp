// Export in the BMFont text format: the atlas as one PNG page shared by
// every set, and one .fnt file per glyph set.
//
//   info face="DejaVu SansBook16" size=16 ... unicode=1 ...
//   common lineHeight=19 base=15 scaleW=256 scaleH=128 pages=1 packed=0
//   page id=0 file="fontsAtlas.png"
//   chars count=95
//   char id=65 x=12 y=34 width=9 height=11 xoffset=0 yoffset=4 xadvance=10 page=0 chnl=15
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "glyphkiln/atlas_reader.hpp"

// A set's vertical metrics, from its glyphs with pixels: base is the
// highest top, lineHeight adds the deepest reach below the baseline.
struct LineMetrics {
    std::int64_t base = 0;
    std::int64_t lineHeight = 0;
};
LineMetrics lineMetrics(const glyphkiln::GlyphSet& set);

// The .fnt text of one set whose page is `pageFile`.
std::string bmfontText(const glyphkiln::GlyphSet& set, const glyphkiln::Image& image,
                       const std::string& pageFile);

// File names for the sets' .fnt files: the set name with every byte other
// than letters, digits, '-', '_' and '.' made '_', numbered when two match.
std::vector<std::string> bmfontFileNames(const std::vector<glyphkiln::GlyphSet>& sets);

// Writes DIR/<image name>.png and one .fnt per set into `directory`
// (created when missing). Returns the paths written, the page first.
std::vector<std::string> writeBmfont(const glyphkiln::Atlas& atlas, const std::string& directory);
