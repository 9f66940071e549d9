// The whole glyph table as JSON, for tools and web engines:
//
//   {"format":"ovx","image":"fontsAtlas.ovx","width":256,"height":128,
//    "sets":[{"name":"DejaVu SansBook16","glyphs":[
//      {"code":65,"x":12,"y":34,"width":9,"height":11,"left":0,"top":11,"advance":10}, ...]}]}
#pragma once

#include <ostream>
#include <string>

#include "glyphkiln/atlas_reader.hpp"

// A JSON string literal of `text`: valid UTF-8 passes, every other byte
// is taken as the character of that code (0 to 255), as glyph codes are.
std::string jsonString(const std::string& text);

void writeJson(const glyphkiln::Atlas& atlas, std::ostream& out);
