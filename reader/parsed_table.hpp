// What the descriptor parsers hand to the checks: the glyph table, plus
// where in the descriptor each glyph was read, so that a later check can
// name the offset or line of the record at fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "glyphkiln/atlas_reader.hpp"

namespace glyphkiln::detail {

struct ParsedTable {
    std::string namedImageFile;                   // container descriptors only
    std::vector<GlyphSet> sets;
    std::vector<std::vector<std::size_t>> where;  // per set, per glyph: offset or line
    const char* placeWord = "offset";             // "offset" or "line"
};

// Throws AtlasError "<file>: <place>: <reason>".
[[noreturn]] void fail(const std::string& file, const std::string& place, const std::string& reason);
inline std::string at(const char* word, std::size_t n) { return std::string(word) + " " + std::to_string(n); }

// "[ A ] in DejaVu SansBook16", the way glyphkiln's own messages name a glyph.
std::string glyphName(std::uint8_t character, const std::string& setName);

// A descriptor's own rules, shared by both forms: a glyph without pixels
// has x, y, width, height all 0; left and top are not -32768; a character
// appears once per set. `place` locates the glyph for messages.
void checkGlyphRecord(const Glyph& glyph, const GlyphSet& set, const std::string& file,
                      const std::string& place);

ParsedTable parseContainerDescriptor(const std::uint8_t* data, std::size_t size,
                                     const std::string& file);
ParsedTable parseGlyphText(const std::uint8_t* data, std::size_t size, const std::string& file);
Image parseContainerImage(const std::uint8_t* data, std::size_t size, const std::string& file);
// `base`: the offset of `data` in the file (after a container header).
Image parseRawImage(const std::uint8_t* data, std::size_t size, const std::string& file,
                    std::size_t base = 0);

// Every glyph with pixels lies inside the image and no two overlap.
void checkRectangles(const ParsedTable& table, const Image& image, const std::string& descriptorFile);

}  // namespace glyphkiln::detail
