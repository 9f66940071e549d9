// The glyph table as both descriptor forms write it: sets in registry
// order, each with its glyph records, every value checked against the
// limits of the format before anything is written.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "atlas/glyph_placement.hpp"

// The container format's version, named in the limit messages.
constexpr unsigned kFormatMajor = 1;
constexpr unsigned kFormatMinor = 0;
// Longest text a 128-byte zero-terminated name field holds.
constexpr std::size_t kMaxNameBytes = 127;
constexpr std::size_t kNameFieldBytes = 128;
// Largest atlas: a side of 65536 pixels, and at most 65536 x 65536 pixels.
constexpr std::uint64_t kMaxAtlasSide = 65536;

struct DescriptorGlyph {
    std::uint8_t character = 0;
    std::uint16_t x = 0, y = 0, width = 0, height = 0;  // all 0 for a glyph without pixels
    std::int16_t left = 0, top = 0;
    std::uint16_t advance = 0;
};

struct DescriptorSet {
    std::string name;
    std::vector<DescriptorGlyph> glyphs;  // in the order of the grouping exchange
};

// Moves every placement in [first, last) for which `belongs` holds to the
// front of the range by exchanging the first one that does not belong with
// the last one that does, and so on inward. Returns the end of that run.
template <typename Iterator, typename Predicate>
Iterator groupPlacements(Iterator first, Iterator last, Predicate belongs) {
    for (;;) {
        while (first != last && belongs(*first)) ++first;
        if (first == last) return first;
        do {
            --last;
            if (first == last) return first;
        } while (!belongs(*last));
        std::iter_swap(first, last);
        ++first;
    }
}

// Throws "can not create " + imageName + " file because the atlas of WxH
// pixels is larger than the 65536x65536 pixels an atlas may have".
void checkAtlasSize(std::uint64_t width, std::uint64_t height, const std::string& imageName);

// Throws the refusal for a name that does not fit its field; `what` is
// "the font face name " or "the image file name ".
void checkNameField(const std::string& name, const char* what, const std::string& descriptorName);

// Groups `placements` set by set (`sets` in registry order; `setCount`
// glyph sets in all) and checks every count, name and field, in the order
// they are written, with the message prefix "can not create " +
// descriptorName + " file because ". Reorders `placements`.
std::vector<DescriptorSet> buildDescriptor(std::vector<GlyphPlacement>& placements,
                                           const std::vector<const zor::GlyphSet*>& sets,
                                           std::uint64_t setCount,
                                           const std::string& descriptorName);
