// Hand-built layouts for the output writers, their expected bytes written
// out field by field, and the scratch directory to write files into.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "atlas/glyph_placement.hpp"
#include "fonts/glyph_records.hpp"
#include "support/scratch_dir.hpp"

namespace output_test {

constexpr std::uint64_t kUnplaced = 0xFFFFFFFFu;

// Glyph sets with their records and the placement array over them, as
// the layout would hand them to the writers.
class Layout {
public:
    zor::GlyphSet& addSet(const std::string& name) {
        sets_.push_back(std::make_shared<zor::GlyphSet>());
        sets_.back()->name = name;
        return *sets_.back();
    }

    // Adds a glyph to `set` and its placement at the end of the array. A
    // glyph with pixels gets the bytes seed, seed + 1, ... row by row; one
    // too large for any image (only its fields are checked) gets none.
    zor::GlyphData& addGlyph(zor::GlyphSet& set, char character, std::uint32_t width,
                             std::uint32_t height, std::uint64_t x, std::uint64_t y,
                             std::int32_t left = 0, std::int32_t top = 0, std::int32_t advance = 0,
                             std::uint8_t seed = 1) {
        auto glyph = std::make_shared<zor::GlyphData>();
        glyph->character = static_cast<std::uint8_t>(character);
        glyph->width = width;
        glyph->height = height;
        glyph->left = left;
        glyph->top = top;
        glyph->advance = advance;
        const std::uint64_t area = std::uint64_t{width} * height;
        if (area <= 65536) {
            for (std::uint64_t i = 0; i < area; ++i) {
                glyph->pixels.push_back(static_cast<std::uint8_t>(seed + i));
            }
        }
        set.glyphs.push_back(glyph);
        placements.push_back({x, y, glyph.get(), &set, &set.name});
        return *glyph;
    }

    // The sets in the order they were added, standing for registry order.
    std::vector<const zor::GlyphSet*> registryOrder() const {
        std::vector<const zor::GlyphSet*> order;
        for (const auto& set : sets_) order.push_back(set.get());
        return order;
    }

    std::vector<GlyphPlacement> placements;

private:
    std::vector<std::shared_ptr<zor::GlyphSet>> sets_;
};

// Little-endian fields for expected bytes.
inline std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
inline std::string nameField(const std::string& text) {
    return text + std::string(128 - text.size(), '\0');
}
inline std::string header(std::uint32_t fileType) {
    return std::string("Glyphkiln atlas v1\0\0", 20) + le16(1) + le16(0) + le32(fileType);
}
inline std::string record(char c, std::uint16_t x, std::uint16_t y, std::uint16_t w,
                          std::uint16_t h, std::int16_t left, std::int16_t top,
                          std::uint16_t advance) {
    return std::string(1, c) + le16(x) + le16(y) + le16(w) + le16(h) +
           le16(static_cast<std::uint16_t>(left)) + le16(static_cast<std::uint16_t>(top)) +
           le16(advance);
}

// Two sets of a small 8x5 atlas, in sorted order (height, then width):
// the space, x (second set), A and g. Grouping the first set swaps g
// forward over x, so its lines come out as space, g, A.
inline void sampleLayout(Layout& layout) {
    zor::GlyphSet& regular = layout.addSet("Tiny Regular8");
    zor::GlyphSet& bold = layout.addSet("Tiny Bold8");
    layout.addGlyph(regular, ' ', 0, 0, kUnplaced, kUnplaced, 0, 0, 4);
    layout.addGlyph(bold, 'x', 2, 2, 0, 3, 1, 2, 3, 0xF0);
    layout.addGlyph(regular, 'A', 3, 2, 0, 0, 0, 2, 4, 1);
    layout.addGlyph(regular, 'g', 2, 3, 4, 0, -5, 1, 3, 0x10);
}
constexpr std::uint32_t kSampleWidth = 8;
constexpr std::uint32_t kSampleHeight = 5;

inline std::string sampleImage() {
    const unsigned char pixels[] = {
        1,    2,    3, 0, 0x10, 0x11, 0, 0,  //
        4,    5,    6, 0, 0x12, 0x13, 0, 0,  //
        0,    0,    0, 0, 0x14, 0x15, 0, 0,  //
        0xF0, 0xF1, 0, 0, 0,    0,    0, 0,  //
        0xF2, 0xF3, 0, 0, 0,    0,    0, 0,
    };
    return le32(8) + le32(5) + std::string(std::begin(pixels), std::end(pixels));
}

inline std::string sampleGlyphText() {
    return "2 fonts\r\n"
           "Font named: Tiny Regular8\r\n"
           "3 glyphs\r\n"
           "[   ] xy(0,0) wh(0,0) left(0) top(0) advance(4)\r\n"
           "[ g ] xy(4,0) wh(2,3) left(-5) top(1) advance(3)\r\n"
           "[ A ] xy(0,0) wh(3,2) left(0) top(2) advance(4)\r\n"
           "Font named: Tiny Bold8\r\n"
           "1 glyphs\r\n"
           "[ x ] xy(0,3) wh(2,2) left(1) top(2) advance(3)\r\n";
}

inline std::string sampleDescriptor(const std::string& imageFileName) {
    return header(17) + nameField(imageFileName) + "\x02" +  //
           nameField("Tiny Regular8") + "\x03" +             //
           record(' ', 0, 0, 0, 0, 0, 0, 4) +                //
           record('g', 4, 0, 2, 3, -5, 1, 3) +               //
           record('A', 0, 0, 3, 2, 0, 2, 4) +                //
           nameField("Tiny Bold8") + "\x01" +                //
           record('x', 0, 3, 2, 2, 1, 2, 3);
}

using support_test::ScratchDir;

inline std::string readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file);
}

}  // namespace output_test
