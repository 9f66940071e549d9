// Reading a Glyphkiln atlas: the ovx atlas image with its glyph descriptor,
// or the raw image with its glyph text file, into plain structures.
//
// C++17 and the standard library only. Parsing is strict: any departure
// from the formats glyphkiln writes (signature, version, file type, sizes,
// counts, value ranges, text layout, rectangles outside the image or
// overlapping) throws glyphkiln::AtlasError naming the file and the byte
// offset or line. Every read is bounds-checked against the buffer.
//
//   glyphkiln::Atlas atlas = glyphkiln::loadAtlas("fonts.ovx");
//   const glyphkiln::Glyph* a = atlas.find("DejaVu SansBook16", 'A');
//   // a->x, a->y, a->width, a->height: pixels in atlas.image
//   // a->left, a->top, a->advance: placement against the pen and baseline
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace glyphkiln {

// Every failure of the reader; the message names the file and the place.
class AtlasError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One glyph: where its bitmap lies in the atlas and how it sits on the pen.
struct Glyph {
    std::uint8_t character = 0;  // the byte that requested the glyph
    std::uint16_t x = 0;         // atlas column of the bitmap's left edge
    std::uint16_t y = 0;         // atlas row of the bitmap's top edge (row 0 first)
    std::uint16_t width = 0;     // bitmap size; x, y, width, height all 0 without pixels
    std::uint16_t height = 0;
    std::int16_t left = 0;       // pen origin to the bitmap's left column
    std::int16_t top = 0;        // baseline up to the bitmap's top row, positive upwards
    std::uint16_t advance = 0;   // horizontal pen advance

    bool hasPixels() const { return width != 0 && height != 0; }
};

// One font face at one pixel size.
struct GlyphSet {
    std::string name;           // family + style + size, as glyphkiln names it
    std::vector<Glyph> glyphs;  // in file order; each character at most once

    // The glyph of `character`, or nullptr when the set has none.
    const Glyph* find(std::uint8_t character) const;
};

// The atlas image: width x height coverage bytes, top row first.
struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(std::uint32_t column, std::uint32_t row) const {
        return pixels[static_cast<std::size_t>(row) * width + column];
    }
};

enum class Format {
    Container,  // ovx atlas image + ovx glyph descriptor
    Raw,        // raw image + glyph text file
};

struct Atlas {
    Format format = Format::Container;
    std::string descriptorFile;  // the descriptor as it was read
    std::string imageFile;       // the image as it was read
    std::string namedImageFile;  // the image as the container descriptor names it; empty for raw
    Image image;
    std::vector<GlyphSet> sets;  // in file order (font path, then size)

    // The first set named `name`, or nullptr. Names need not be unique.
    const GlyphSet* findSet(const std::string& name) const;
    // The glyph of `character` in the first set named `setName`, or nullptr.
    const Glyph* find(const std::string& setName, std::uint8_t character) const;
};

// Parses and checks an atlas held in memory. The descriptor's format (an
// ovx descriptor or a glyph text file) is recognised from its first bytes;
// the image must be of the matching kind. The names only label messages.
Atlas parseAtlas(const std::vector<std::uint8_t>& descriptor, const std::string& descriptorName,
                 const std::vector<std::uint8_t>& image, const std::string& imageName);

// False when `data` starts like a glyph text file (with a decimal digit),
// true otherwise: it is then read as an ovx container file.
bool isContainerFile(const std::vector<std::uint8_t>& data);

// The image file that belongs to a descriptor. For an ovx descriptor: the
// file it names, looked for beside the descriptor first (the two are always
// written into one directory), then as named. For a glyph text file
// "<base>Ascii.txt": "<base>Atlas.raw".
std::string findImageFile(const std::string& descriptorPath);

// Reads the descriptor, finds its image (findImageFile) and parses both.
Atlas loadAtlas(const std::string& descriptorPath);
// The same with the image file given.
Atlas loadAtlas(const std::string& descriptorPath, const std::string& imagePath);

// A whole file's bytes; AtlasError when it can not be read.
std::vector<std::uint8_t> readFileBytes(const std::string& path);

}  // namespace glyphkiln
