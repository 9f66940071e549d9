// buildDescriptor groups placements by a byte-wise search; the order it
// leaves must be exactly that of groupPlacements applied set by set.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "output/descriptor.hpp"

namespace {

TEST(GroupingEquivalence, SameOrderAsTheExchangeSetBySet) {
    std::mt19937 random(1234);
    for (int round = 0; round < 60; ++round) {
        const std::size_t setCount = 1 + random() % 255;
        std::vector<std::unique_ptr<zor::GlyphSet>> owned;
        std::vector<const zor::GlyphSet*> sets;
        for (std::size_t s = 0; s < setCount; ++s) {
            owned.push_back(std::make_unique<zor::GlyphSet>());
            owned.back()->name = "Set" + std::to_string(s % 7);  // names repeat, as they may
            sets.push_back(owned.back().get());
        }
        // Up to 255 glyphs per set, every set at least one, spread at random
        // or in long runs.
        std::vector<zor::GlyphData> glyphs(setCount * (1 + random() % 40));
        std::vector<GlyphPlacement> placements;
        const bool runs = round % 3 == 0;
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            const std::size_t s = i < setCount ? i : runs ? (i * setCount / glyphs.size()) : random() % setCount;
            glyphs[i].character = static_cast<std::uint8_t>(i);
            placements.push_back({i % 50, i % 30, &glyphs[i], sets[s], &sets[s]->name});
        }
        std::shuffle(placements.begin(), placements.end(), random);
        if (!runs) std::shuffle(placements.begin(), placements.end(), random);

        std::vector<GlyphPlacement> expected = placements;
        auto start = expected.begin();
        for (const zor::GlyphSet* set : sets) {
            start = groupPlacements(start, expected.end(),
                                    [set](const GlyphPlacement& p) { return p.set == set; });
        }
        const std::vector<DescriptorSet> table = buildDescriptor(placements, sets, setCount, "d.ovx");
        ASSERT_EQ(placements.size(), expected.size());
        std::size_t k = 0;
        for (std::size_t s = 0; s < table.size(); ++s) {
            for (const DescriptorGlyph& g : table[s].glyphs) {
                ASSERT_EQ(g.character, expected[k].glyph->character) << "round " << round;
                ++k;
            }
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(placements[i].glyph, expected[i].glyph) << "round " << round << ", entry " << i;
        }
    }
}

}  // namespace
