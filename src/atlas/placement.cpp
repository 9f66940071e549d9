#include "atlas/placement.hpp"

#include <algorithm>

namespace {

struct FreeRect {
    std::uint64_t x, y, width, height;
};

}  // namespace

std::uint64_t chooseAtlasWidth(std::uint64_t totalArea, std::uint64_t maxWidth,
                               std::uint32_t padding) {
    const std::uint64_t widest = std::uint64_t{padding} + maxWidth;
    std::uint64_t width = 64;
    // Past 2^32 the square exceeds every 64-bit area, so it need not be formed.
    while (width < widest || (width <= 0xFFFFFFFFu && width * width < totalArea)) width *= 2;
    return width;
}

AtlasLayout placeGlyphs(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                        std::uint64_t width) {
    AtlasLayout layout;
    layout.width = width;
    layout.positions.resize(sorted.size());
    std::vector<FreeRect> freeList;
    for (std::size_t i = sorted.size(); i-- > 0;) {
        const GlyphSize& glyph = sorted[i];
        AtlasPosition& position = layout.positions[i];
        if (glyph.width == 0 || glyph.height == 0) {
            position = {kNotPlaced, kNotPlaced};
            continue;
        }
        const std::uint64_t wp = std::uint64_t{glyph.width} + padding;
        const std::uint64_t hp = std::uint64_t{glyph.height} + padding;
        const auto fit = std::find_if(freeList.begin(), freeList.end(), [&](const FreeRect& f) {
            return wp <= f.width && hp <= f.height;
        });
        if (fit != freeList.end()) {
            const FreeRect f = *fit;
            freeList.erase(fit);
            position = {f.x, f.y};
            if (f.width - wp > padding) freeList.push_back({f.x + wp, f.y, f.width - wp, hp});
            if (f.height - hp > padding) freeList.push_back({f.x, f.y + hp, f.width, f.height - hp});
        } else {
            position = {0, layout.height};
            if (wp < width) freeList.push_back({wp, layout.height, width - wp, hp});
            layout.height += hp;
        }
    }
    return layout;
}

std::uint64_t totalGlyphArea(const std::vector<GlyphSize>& sizes) {
    std::uint64_t area = 0;
    for (const GlyphSize& s : sizes) area += std::uint64_t{s.width} * s.height;
    return area;
}

std::uint64_t maxGlyphWidth(const std::vector<GlyphSize>& sizes) {
    std::uint64_t widest = 0;
    for (const GlyphSize& s : sizes) widest = std::max<std::uint64_t>(widest, s.width);
    return widest;
}

float atlasCoverage(std::uint64_t totalArea, std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0) return 0.0f;
    const double coverage = static_cast<double>(totalArea) * 100.0 /
                            (static_cast<double>(width) * static_cast<double>(height));
    return static_cast<float>(coverage);
}
