#include "output/glyph_text.hpp"

std::string encodeGlyphText(const std::vector<DescriptorSet>& sets) {
    std::string out;
    out += std::to_string(sets.size()) + " fonts\r\n";
    for (const DescriptorSet& set : sets) {
        out += "Font named: " + set.name + "\r\n";
        out += std::to_string(set.glyphs.size()) + " glyphs\r\n";
        for (const DescriptorGlyph& g : set.glyphs) {
            out += "[ ";
            out += static_cast<char>(g.character);
            out += " ] xy(" + std::to_string(g.x) + "," + std::to_string(g.y) + ") wh(" +
                   std::to_string(g.width) + "," + std::to_string(g.height) + ") left(" +
                   std::to_string(g.left) + ") top(" + std::to_string(g.top) + ") advance(" +
                   std::to_string(g.advance) + ")\r\n";
        }
    }
    return out;
}
