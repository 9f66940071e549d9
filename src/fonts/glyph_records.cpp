#include "fonts/glyph_records.hpp"

std::vector<std::shared_ptr<zor::GlyphSet>> setsInVisitingOrder(const FontRegistry& registry) {
    std::vector<std::shared_ptr<zor::GlyphSet>> sets;
    for (const auto& font : registry) {
        for (const auto& size : font.second->glyphSets) sets.push_back(size.second);
    }
    return sets;
}
