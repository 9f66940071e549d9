// The glyph text file of the raw output: the glyph table as readable
// lines, each ending in CR LF.
//
//   2 fonts
//   Font named: Sample SansRegular15
//   95 glyphs
//   [ A ] xy(12,34) wh(9,11) left(0) top(11) advance(10)
//   [   ] xy(0,0) wh(0,0) left(0) top(0) advance(4)
#pragma once

#include <string>
#include <vector>

#include "output/descriptor.hpp"

std::string encodeGlyphText(const std::vector<DescriptorSet>& sets);
