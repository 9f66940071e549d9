// The road of one run over a mutated font file, in process: open the face
// from memory, set a size, rasterise the default characters and a few
// Latin-1 ones through the loader, order and place the glyphs, run every
// output check and encode the image and both descriptor forms (nothing is
// written to disk). FreeType and the loader may refuse a font; they must
// not crash, read outside a bitmap or take unbounded memory.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "atlas/glyph_placement.hpp"
#include "atlas/placement.hpp"
#include "fonts/font_loader.hpp"
#include "output/atlas_image.hpp"
#include "output/atlas_writer.hpp"
#include "output/container_format.hpp"
#include "output/glyph_text.hpp"

namespace {

// Far below the program's budget, so that libFuzzer's memory limit holds.
constexpr std::uint64_t kPixelBudget = 16u << 20;
constexpr std::uint64_t kImageBudget = 64u << 20;

FT_Library library() {
    static FT_Library instance = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0) std::abort();
        return created;
    }();
    return instance;
}

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

// 16 pixels, or the first strike of a bitmap font that has no such size.
bool setSomeSize(FT_Face face, std::uint32_t& pixelSize) {
    pixelSize = 16;
    if (FT_Set_Pixel_Sizes(face, 0, pixelSize) == 0) return true;
    if (face->num_fixed_sizes <= 0 || face->available_sizes == nullptr) return false;
    pixelSize = static_cast<std::uint32_t>(face->available_sizes[0].height);
    return FT_Set_Pixel_Sizes(face, 0, pixelSize) == 0;
}

void layOutAndEncode(zor::GlyphSet& set) {
    std::vector<GlyphPlacement> placements;
    for (const auto& glyph : set.glyphs) placements.push_back({0, 0, glyph.get(), &set, &set.name});
    orderPlacements(placements);
    std::vector<GlyphSize> sizes;
    for (const GlyphPlacement& p : placements) sizes.push_back({p.glyph->width, p.glyph->height});
    const std::uint64_t width =
        chooseAtlasWidth(totalGlyphArea(sizes), maxGlyphWidth(sizes), /*padding=*/1);
    const AtlasLayout layout = placeGlyphs(sizes, 1, width);
    for (std::size_t i = 0; i < placements.size(); ++i) {
        placements[i].x = layout.positions[i].x;
        placements[i].y = layout.positions[i].y;
    }
    for (const bool raw : {true, false}) {
        std::vector<DescriptorSet> table;
        try {
            table = checkAtlasOutput(layout.width, layout.height, "fuzz", placements, {&set}, raw);
        } catch (const std::exception&) {
            continue;  // a refusal: the real run writes nothing then
        }
        if (raw) {
            if (encodeGlyphText(table).empty()) std::abort();
        } else {
            const Bytes descriptor = encodeContainerDescriptor(table, "fuzzAtlas.ovx");
            if (descriptor.size() < kHeaderBytes + 129) std::abort();
        }
    }
    if (layout.width * layout.height <= kImageBudget) {
        Bytes image;
        appendAtlasImage(image, static_cast<std::uint32_t>(layout.width),
                         static_cast<std::uint32_t>(layout.height), placements);
        if (image.size() != 8 + layout.width * layout.height) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FT_Face rawFace = nullptr;
    if (FT_New_Memory_Face(library(), data, static_cast<FT_Long>(size), 0, &rawFace) != 0) return 0;
    const FaceHandle face(rawFace);
    std::uint32_t pixelSize = 0;
    if (!setSomeSize(face.get(), pixelSize)) return 0;

    std::set<std::uint8_t> characters = characterSetFor("");
    for (const std::uint8_t latin1 : {0x80, 0xA0, 0xE9, 0xFF}) characters.insert(latin1);
    zor::GlyphSet set;
    set.name = glyphSetName(face->family_name, face->style_name, pixelSize);
    const std::string path = "fuzz-input";
    std::uint64_t pixelBytes = 0;
    try {
        rasteriseCharacters(face.get(), characters, {path, pixelSize, pixelBytes, kPixelBudget}, set);
    } catch (const std::exception& error) {
        if (std::string(error.what()).find("fuzz-input, size ") == std::string::npos) std::abort();
        return 0;
    }
    for (const auto& glyph : set.glyphs) {
        if (glyph->pixels.size() != std::size_t{glyph->width} * glyph->height) std::abort();
    }
    layOutAndEncode(set);
    return 0;
}
