#include "output/atlas_image.hpp"

#include <cstring>

void appendAtlasImage(Bytes& out, std::uint32_t width, std::uint32_t height,
                      const std::vector<GlyphPlacement>& placements) {
    const std::size_t pixelBytes = std::size_t{width} * height;
    out.reserve(out.size() + 8 + pixelBytes);
    putU32(out, width);
    putU32(out, height);
    const std::size_t origin = out.size();
    out.resize(origin + pixelBytes, 0);
    composeAtlasImage(out.data() + origin, width, placements);
}

void composeAtlasImage(std::uint8_t* image, std::uint32_t width,
                       const std::vector<GlyphPlacement>& placements) {
    for (const GlyphPlacement& p : placements) {
        const zor::GlyphData& g = *p.glyph;
        if (!g.hasPixels()) continue;
        for (std::uint32_t r = 0; r < g.height; ++r) {
            std::memcpy(image + (p.y + r) * width + p.x, g.pixels.data() + std::size_t{r} * g.width,
                        g.width);
        }
    }
}
