#include "previews.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

void setColour(std::size_t index, std::uint8_t rgb[3]) {
    // Hues a golden angle apart never repeat and stay far from their
    // neighbours; the value alternates so that close hues still differ.
    const double hue = std::fmod(static_cast<double>(index) * 137.508, 360.0) / 60.0;
    const double value = index % 2 == 0 ? 1.0 : 0.8;
    const double x = value * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
        case 0: r = value, g = x; break;
        case 1: r = x, g = value; break;
        case 2: g = value, b = x; break;
        case 3: g = x, b = value; break;
        case 4: r = x, b = value; break;
        default: r = value, b = x; break;
    }
    rgb[0] = static_cast<std::uint8_t>(std::lround(r * 255));
    rgb[1] = static_cast<std::uint8_t>(std::lround(g * 255));
    rgb[2] = static_cast<std::uint8_t>(std::lround(b * 255));
}

std::vector<std::uint8_t> boxesImage(const glyphkiln::Atlas& atlas) {
    const glyphkiln::Image& image = atlas.image;
    std::vector<std::uint8_t> rgb(image.pixels.size() * 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = image.pixels[i];
    }
    const auto paint = [&](std::uint32_t column, std::uint32_t row, const std::uint8_t colour[3]) {
        std::uint8_t* p = &rgb[3 * (std::size_t{row} * image.width + column)];
        p[0] = colour[0], p[1] = colour[1], p[2] = colour[2];
    };
    for (std::size_t s = 0; s < atlas.sets.size(); ++s) {
        std::uint8_t colour[3];
        setColour(s, colour);
        for (const glyphkiln::Glyph& g : atlas.sets[s].glyphs) {
            if (!g.hasPixels()) continue;
            // The outline runs along the bitmap's own border pixels: the
            // padding between glyphs may be 0, and the atlas edge is near.
            const std::uint32_t right = g.x + g.width - 1u, bottom = g.y + g.height - 1u;
            for (std::uint32_t c = g.x; c <= right; ++c) paint(c, g.y, colour), paint(c, bottom, colour);
            for (std::uint32_t r = g.y; r <= bottom; ++r) paint(g.x, r, colour), paint(right, r, colour);
        }
    }
    return rgb;
}

RenderedText renderText(const glyphkiln::GlyphSet& set, const glyphkiln::Image& atlas,
                        const std::string& text) {
    std::vector<const glyphkiln::Glyph*> glyphs;
    for (char c : text) {
        const glyphkiln::Glyph* glyph = set.find(static_cast<std::uint8_t>(c));
        if (glyph == nullptr) {
            throw std::runtime_error("the set " + set.name + " has no glyph for [ " + std::string(1, c) + " ]");
        }
        glyphs.push_back(glyph);
    }
    // Extent around pen position 0 and the baseline.
    std::int64_t pen = 0, minX = 0, maxX = 0, ascent = 0, descent = 0;
    for (const glyphkiln::Glyph* g : glyphs) {
        if (g->hasPixels()) {
            minX = std::min(minX, pen + g->left);
            maxX = std::max(maxX, pen + g->left + g->width);
            ascent = std::max<std::int64_t>(ascent, g->top);
            descent = std::max<std::int64_t>(descent, g->height - g->top);
        }
        pen += g->advance;
    }
    maxX = std::max(maxX, pen);

    // A long text of wide glyphs could ask for gigabytes; no line needs that.
    constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;
    if ((maxX - minX) * (ascent + descent) > kMaxPixels) {
        throw std::runtime_error("the rendered text would be " + std::to_string(maxX - minX) + "x" +
                                 std::to_string(ascent + descent) + " pixels, more than " +
                                 std::to_string(kMaxPixels) + " pixels in all");
    }

    RenderedText out;
    out.originX = -minX;
    out.baseline = ascent;
    out.image.width = static_cast<std::uint32_t>(maxX - minX);
    out.image.height = static_cast<std::uint32_t>(ascent + descent);
    out.image.pixels.assign(std::size_t{out.image.width} * out.image.height, 0);
    pen = 0;
    for (const glyphkiln::Glyph* g : glyphs) {
        if (g->hasPixels()) {
            const std::int64_t column = out.originX + pen + g->left;
            const std::int64_t row = out.baseline - g->top;
            for (std::uint32_t r = 0; r < g->height; ++r) {
                for (std::uint32_t c = 0; c < g->width; ++c) {
                    std::uint8_t& target = out.image.pixels[static_cast<std::size_t>(
                        (row + r) * out.image.width + column + c)];
                    target = std::max(target, atlas.at(g->x + c, g->y + r));
                }
            }
        }
        pen += g->advance;
    }
    return out;
}
