// FreeTypeLibrary::createAtlas: gathers every loaded glyph, orders and
// places them, reports the layout and has the output files written.
#include <algorithm>
#include <cstdint>

#include "atlas/glyph_placement.hpp"
#include "atlas/placement.hpp"
#include "fonts/freetype_library.hpp"
#include "output/atlas_writer.hpp"

void orderPlacements(std::vector<GlyphPlacement>& placements) {
    // Compact keys are sorted rather than the placements themselves, so no
    // comparison has to reach into a glyph record; the gathered position
    // breaks ties, which keeps equal glyphs in their gathered order.
    struct Key {
        std::uint64_t size;  // height in the upper half, width in the lower
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(placements.size());
    for (std::size_t i = 0; i < placements.size(); ++i) {
        const zor::GlyphData& g = *placements[i].glyph;
        keys.push_back({std::uint64_t{g.height} << 32 | g.width, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return a.size != b.size ? a.size < b.size : a.index < b.index;
    });
    std::vector<GlyphPlacement> sorted;
    sorted.reserve(placements.size());
    for (const Key& key : keys) sorted.push_back(placements[key.index]);
    placements.swap(sorted);
}

void FreeTypeLibrary::createAtlas(const std::string& baseName) {
    console.setAttribute(console::kProgress);
    console << "Sorting glyphs...\n";

    const std::vector<std::shared_ptr<zor::GlyphSet>> sets = setsInVisitingOrder(fontRegistry);
    std::vector<GlyphPlacement> placements;
    std::string glyphList;
    for (const auto& set : sets) {
        console.setAttribute(console::kHighlight);
        console << "\n" << set->name << "\n";
        console.setAttribute(console::kProgress);
        glyphList.clear();
        for (const auto& glyph : set->glyphs) {
            glyphList += ' ';
            glyphList += static_cast<char>(glyph->character);
            placements.push_back({0, 0, glyph.get(), set.get(), &set->name});
        }
        console << glyphList << "\n";
    }

    orderPlacements(placements);
    console << placements.size() << " glyphs\n";

    std::vector<GlyphSize> sizes;
    sizes.reserve(placements.size());
    for (const GlyphPlacement& p : placements) sizes.push_back({p.glyph->width, p.glyph->height});
    const std::uint64_t area = totalGlyphArea(sizes);
    const std::uint64_t width = chooseAtlasWidth(area, maxGlyphWidth(sizes), padding);
    console << "Placing glyphs onto " << width << " pixel wide image atlas\n";

    const AtlasLayout layout = placeGlyphs(sizes, padding, width);
    for (std::size_t i = 0; i < placements.size(); ++i) {
        placements[i].x = layout.positions[i].x;
        placements[i].y = layout.positions[i].y;
    }
    console << "Glyphs placed onto " << layout.width << "x" << layout.height
            << " image atlas with " << atlasCoverage(area, layout.width, layout.height)
            << "% coverage\n";

    console.setAttribute(console::kHighlight);
    std::vector<const zor::GlyphSet*> setOrder;
    for (const auto& set : sets) setOrder.push_back(set.get());
    saveAtlas(layout.width, layout.height, baseName, placements, setOrder, rawOutput, console);

    fontRegistry.clear();
}
