#include "output/descriptor.hpp"

#include "support/failure.hpp"

#include <cstring>
#include <stdexcept>
#include <unordered_map>

namespace {

const char* kVersion() {
    static const std::string text =
        "ovx v" + std::to_string(kFormatMajor) + "." + std::to_string(kFormatMinor);
    return text.c_str();
}

[[noreturn]] void refuse(const std::string& descriptorName, const std::string& reason) {
    throw zor::Failure("can not create " + descriptorName + " file because " + reason);
}

// " is out of range for [ c ] in name"
std::string rangeTail(std::uint8_t character, const std::string& name) {
    return ") is out of range for [ " + std::string(1, static_cast<char>(character)) + " ] in " + name;
}

DescriptorGlyph checkGlyph(const zor::GlyphData& glyph, std::uint64_t x, std::uint64_t y,
                           const std::string& name, const std::string& descriptorName) {
    DescriptorGlyph record;
    record.character = glyph.character;
    const auto refuseField = [&](const char* field, const std::string& value) {
        refuse(descriptorName, std::string(field) + " (" + value + rangeTail(glyph.character, name));
    };
    if (glyph.hasPixels()) {
        if (x > 65535) refuseField("X1 texture coordinate", std::to_string(x));
        if (y > 65535) refuseField("Y1 texture coordinate", std::to_string(y));
        if (x + glyph.width > 65535) refuseField("X2 texture coordinate", std::to_string(x + glyph.width));
        if (y + glyph.height > 65535) refuseField("Y2 texture coordinate", std::to_string(y + glyph.height));
        record.x = static_cast<std::uint16_t>(x);
        record.y = static_cast<std::uint16_t>(y);
        record.width = static_cast<std::uint16_t>(glyph.width);
        record.height = static_cast<std::uint16_t>(glyph.height);
    }
    const std::int64_t left = glyph.left;
    const std::int64_t top = glyph.top;
    if (left > 32767 || left < -32767) {
        refuseField("Distance from origin to left side", std::to_string(left));
    }
    if (top > 32767 || top < -32767) refuseField("Distance from origin to top", std::to_string(top));
    const auto advance = static_cast<std::uint32_t>(glyph.advance);
    if (advance > 65535) refuseField("AdvanceX distance", std::to_string(advance));
    record.left = static_cast<std::int16_t>(left);
    record.top = static_cast<std::int16_t>(top);
    record.advance = static_cast<std::uint16_t>(advance);
    return record;
}

// Owner byte of a placement whose set is not among the sets written.
constexpr std::uint8_t kNoSet = 255;

// groupPlacements over owner bytes, exchanging `order` alongside: moves the
// entries of `owner` in [first, end) to the front by exchanging the first
// one that does not belong with the last one that does, inward, and
// returns the end of that run. The backward search is memrchr's.
std::size_t groupOwners(std::vector<std::uint8_t>& owners, std::vector<std::size_t>& order,
                        std::size_t first, std::uint8_t owner) {
    std::size_t last = owners.size();
    for (;;) {
        while (first != last && owners[first] == owner) ++first;
        if (first == last) return first;
        // The last member strictly between first and last, if any.
        const void* hit = last - first > 1 ? ::memrchr(owners.data() + first + 1, owner, last - first - 1)
                                           : nullptr;
        if (hit == nullptr) return first;
        last = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - owners.data());
        std::swap(owners[first], owners[last]);
        std::swap(order[first], order[last]);
        ++first;
    }
}

}  // namespace

void checkAtlasSize(std::uint64_t width, std::uint64_t height, const std::string& imageName) {
    // Each side is bounded before the product is formed, so it cannot wrap.
    constexpr std::uint64_t maxPixels = kMaxAtlasSide * kMaxAtlasSide;
    if (width > kMaxAtlasSide || height > maxPixels || width * height > maxPixels) {
        throw zor::Failure("can not create " + imageName + " file because the atlas of " +
                                 std::to_string(width) + "x" + std::to_string(height) +
                                 " pixels is larger than the 65536x65536 pixels an atlas may have");
    }
}

void checkNameField(const std::string& name, const char* what, const std::string& descriptorName) {
    if (name.size() > kMaxNameBytes) {
        refuse(descriptorName, std::string(what) + name + " is longer than 127 bytes");
    }
}

std::vector<DescriptorSet> buildDescriptor(std::vector<GlyphPlacement>& placements,
                                           const std::vector<const zor::GlyphSet*>& sets,
                                           std::uint64_t setCount,
                                           const std::string& descriptorName) {
    // A caller giving more sets than it counts is held to the same limit.
    setCount = std::max<std::uint64_t>(setCount, sets.size());
    if (setCount > 255) {
        refuse(descriptorName, "too many font faces stored (" + std::to_string(setCount) + ").  " +
                                   kVersion() + " files only supports up to 255 font faces per file");
    }
    std::vector<DescriptorSet> result;
    result.reserve(sets.size());
    // The grouping runs over one owner byte per placement, not the
    // placements: every set's pass searches the whole rest of the array.
    std::unordered_map<const zor::GlyphSet*, std::uint8_t> ordinals;
    for (std::size_t i = 0; i < sets.size() && i < kNoSet; ++i) {
        ordinals.emplace(sets[i], static_cast<std::uint8_t>(i));  // the first of equal sets
    }
    std::vector<std::uint8_t> owners;
    std::vector<std::size_t> order;
    owners.reserve(placements.size());
    order.reserve(placements.size());
    for (std::size_t i = 0; i < placements.size(); ++i) {
        const auto found = ordinals.find(placements[i].set);
        owners.push_back(found == ordinals.end() ? kNoSet : found->second);
        order.push_back(i);
    }
    std::size_t start = 0;
    for (const zor::GlyphSet* set : sets) {
        checkNameField(set->name, "the font face name ", descriptorName);
        DescriptorSet out;
        out.name = set->name;
        if (set->glyphs.size() > 255) {
            refuse(descriptorName, "too many font glyphs stored (" + std::to_string(set->glyphs.size()) +
                                       ") for " + set->name + ".  " + kVersion() +
                                       " files only supports up to 255 glyphs per font face");
        }
        const std::size_t runEnd = groupOwners(owners, order, start, ordinals.at(set));
        if (start == placements.size()) {
            refuse(descriptorName, "could not find glyphs belonging to " + set->name);
        }
        out.glyphs.reserve(runEnd - start);
        for (std::size_t i = start; i != runEnd; ++i) {
            const GlyphPlacement& p = placements[order[i]];
            out.glyphs.push_back(checkGlyph(*p.glyph, p.x, p.y, set->name, descriptorName));
        }
        start = runEnd;
        result.push_back(std::move(out));
    }
    std::vector<GlyphPlacement> grouped;
    grouped.reserve(placements.size());
    for (std::size_t i : order) grouped.push_back(placements[i]);
    placements.swap(grouped);
    return result;
}
