// The atlas reader over arbitrary files: a descriptor and an image, split
// at the first kImageMarker of the input (no marker: all descriptor, no
// image). Whatever the bytes, the reader either throws its own AtlasError
// or returns an atlas whose glyph rectangles all lie inside its image.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "glyphkiln/atlas_reader.hpp"

namespace {

const std::string kImageMarker = "\n--image--\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = input.find(kImageMarker);
    const std::string descriptorBytes = input.substr(0, marker);
    const std::string imageBytes =
        marker == std::string::npos ? std::string() : input.substr(marker + kImageMarker.size());
    const std::vector<std::uint8_t> descriptor(descriptorBytes.begin(), descriptorBytes.end());
    const std::vector<std::uint8_t> image(imageBytes.begin(), imageBytes.end());

    glyphkiln::Atlas atlas;
    try {
        atlas = glyphkiln::parseAtlas(descriptor, "fuzz.ovx", image, "fuzzAtlas.ovx");
    } catch (const glyphkiln::AtlasError& error) {
        if (std::string(error.what()).find("fuzz") == std::string::npos) std::abort();
        return 0;
    }
    const glyphkiln::Image& pixels = atlas.image;
    if (pixels.pixels.size() != std::size_t{pixels.width} * pixels.height) std::abort();
    for (const glyphkiln::GlyphSet& set : atlas.sets) {
        for (const glyphkiln::Glyph& glyph : set.glyphs) {
            if (!glyph.hasPixels()) continue;
            if (std::uint32_t{glyph.x} + glyph.width > pixels.width ||
                std::uint32_t{glyph.y} + glyph.height > pixels.height) {
                std::abort();
            }
            // Every pixel of the rectangle can be read.
            volatile std::uint8_t last = pixels.at(glyph.x + glyph.width - 1u, glyph.y + glyph.height - 1u);
            (void)last;
        }
    }
    return 0;
}
