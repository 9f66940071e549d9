// The width search and the packer over arbitrary glyph sizes and paddings,
// checked against the layout's invariants: the width is the smallest fit,
// every padded rectangle lies inside the atlas, no two overlap, the first
// glyph placed sits at (0, 0) and glyphs without pixels are not placed.
//
// Input: a padding selector and four padding bytes, then four bytes per
// glyph (width and height, 16 bits each).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "atlas/placement.hpp"

namespace {

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void require(bool condition) {
    if (!condition) std::abort();
}

bool fits(std::uint64_t width, std::uint64_t area, std::uint64_t widest) {
    return width >= widest && (width > 0xFFFFFFFFu || width * width >= area);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    // Mostly small paddings, where cuts and dropped pieces happen; now and
    // then any 32-bit value.
    const std::uint32_t wide = static_cast<std::uint32_t>(data[1] | (data[2] << 8) | (data[3] << 16) |
                                                          (std::uint32_t{data[4]} << 24));
    const std::uint32_t padding = data[0] < 224 ? data[0] % 8 : wide;
    std::vector<GlyphSize> sizes;
    for (std::size_t i = 5; i + 4 <= size && sizes.size() < 512; i += 4) {
        // Small sizes mostly, so that many glyphs share rows and free pieces.
        const std::uint32_t w = u16(data + i), h = u16(data + i + 2);
        sizes.push_back({w > 0x8000 ? w : w % 64, h > 0x8000 ? h : h % 64});
    }
    std::stable_sort(sizes.begin(), sizes.end(), [](const GlyphSize& a, const GlyphSize& b) {
        return a.height != b.height ? a.height < b.height : a.width < b.width;
    });

    const std::uint64_t area = totalGlyphArea(sizes);
    const std::uint64_t widest = padding + maxGlyphWidth(sizes);
    const std::uint64_t width = chooseAtlasWidth(area, maxGlyphWidth(sizes), padding);
    require(width >= 64 && (width & (width - 1)) == 0);
    require(fits(width, area, widest));
    require(width == 64 || !fits(width / 2, area, widest));

    const AtlasLayout layout = placeGlyphs(sizes, padding, width);
    require(layout.width == width && layout.positions.size() == sizes.size());

    struct Rect {
        std::uint64_t x, y, w, h;
    };
    std::vector<Rect> placed;
    bool first = true;
    for (std::size_t i = sizes.size(); i-- > 0;) {
        const AtlasPosition& p = layout.positions[i];
        if (sizes[i].width == 0 || sizes[i].height == 0) {
            require(p.x == kNotPlaced && p.y == kNotPlaced);
            continue;
        }
        const Rect r{p.x, p.y, std::uint64_t{sizes[i].width} + padding,
                     std::uint64_t{sizes[i].height} + padding};
        if (first) require(r.x == 0 && r.y == 0);
        first = false;
        require(r.x + r.w <= layout.width && r.y + r.h <= layout.height);
        for (const Rect& o : placed) {
            require(r.x + r.w <= o.x || o.x + o.w <= r.x || r.y + r.h <= o.y || o.y + o.h <= r.y);
        }
        placed.push_back(r);
    }
    require(placed.empty() == (layout.height == 0));
    return 0;
}
