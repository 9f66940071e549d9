#include "summary.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct Range {
    std::int64_t low = 0, high = 0;
    bool any = false;
    void add(std::int64_t v) {
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    }
    std::string text() const {
        if (!any) return "-";
        return low == high ? std::to_string(low) : std::to_string(low) + ".." + std::to_string(high);
    }
};

}  // namespace

void printSummary(const glyphkiln::Atlas& atlas, std::ostream& out) {
    std::uint64_t inked = 0, glyphs = 0;
    for (const glyphkiln::GlyphSet& set : atlas.sets) {
        glyphs += set.glyphs.size();
        for (const glyphkiln::Glyph& g : set.glyphs) inked += std::uint64_t{g.width} * g.height;
    }
    const std::uint64_t area = std::uint64_t{atlas.image.width} * atlas.image.height;
    char coverage[32];
    std::snprintf(coverage, sizeof coverage, "%.1f", area ? 100.0 * static_cast<double>(inked) / static_cast<double>(area) : 0.0);

    out << atlas.descriptorFile << ": valid "
        << (atlas.format == glyphkiln::Format::Container ? "ovx glyph descriptor" : "glyph text file")
        << ", image " << atlas.imageFile << "\n";
    out << "atlas " << atlas.image.width << "x" << atlas.image.height << " pixels, " << glyphs
        << " glyphs in " << atlas.sets.size() << " sets, " << coverage << "% covered by glyph bitmaps\n";
    for (const glyphkiln::GlyphSet& set : atlas.sets) {
        Range width, height, left, top, advance;
        std::size_t blank = 0;
        for (const glyphkiln::Glyph& g : set.glyphs) {
            if (g.hasPixels()) {
                width.add(g.width);
                height.add(g.height);
            } else {
                ++blank;
            }
            left.add(g.left);
            top.add(g.top);
            advance.add(g.advance);
        }
        out << "  " << set.name << ": " << set.glyphs.size() << " glyphs (" << blank
            << " without pixels), width " << width.text() << ", height " << height.text() << ", left "
            << left.text() << ", top " << top.text() << ", advance " << advance.text() << "\n";
    }
}
