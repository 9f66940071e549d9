#include "fonts/font_loader.hpp"

#include <stdexcept>

#include "fonts/bitmap_convert.hpp"
#include "support/failure.hpp"

std::set<std::uint8_t> characterSetFor(const std::string& characters) {
    std::set<std::uint8_t> set;
    if (characters.empty()) {
        for (int c = 32; c <= 126; ++c) set.insert(static_cast<std::uint8_t>(c));
    } else {
        for (char c : characters) set.insert(static_cast<std::uint8_t>(c));
    }
    return set;
}

std::string glyphSetName(const char* family, const char* style, std::uint32_t pixelSize) {
    return std::string(family ? family : "") + (style ? style : "") + std::to_string(pixelSize);
}

namespace {

SourceBitmap::Mode sourceMode(unsigned char pixelMode) {
    switch (pixelMode) {
        case FT_PIXEL_MODE_MONO: return SourceBitmap::Mode::Mono;
        case FT_PIXEL_MODE_GRAY2: return SourceBitmap::Mode::Gray2;
        case FT_PIXEL_MODE_GRAY4: return SourceBitmap::Mode::Gray4;
        case FT_PIXEL_MODE_GRAY: return SourceBitmap::Mode::Gray8;
        default: return SourceBitmap::Mode::Other;
    }
}

std::string describe(const LoadRequest& request) {
    return request.path + ", size " + std::to_string(request.pixelSize);
}

}  // namespace

void rasteriseCharacters(FT_Face face, const std::set<std::uint8_t>& characterSet,
                         const LoadRequest& request, zor::GlyphSet& set) {
    for (std::uint8_t character : characterSet) {
        if (FT_Load_Char(face, character, FT_LOAD_RENDER) != 0) {
            throw zor::Failure("FT_Load_Char failed for " + describe(request) +
                                     " character " + std::string(1, static_cast<char>(character)));
        }
        const FT_GlyphSlot slot = face->glyph;
        auto glyph = std::make_shared<zor::GlyphData>();
        glyph->left = slot->bitmap_left;
        glyph->top = slot->bitmap_top;
        glyph->advance = static_cast<std::int32_t>(slot->advance.x >> 6);
        glyph->width = slot->bitmap.width;
        glyph->height = slot->bitmap.rows;
        glyph->character = character;

        const std::uint64_t bytes = std::uint64_t{glyph->width} * glyph->height;
        if (bytes != 0) {
            if (bytes > request.maxPixelBytes - request.pixelBytes) {
                throw zor::Failure("loadFontCharacters failed for " + describe(request) +
                                         "; the glyph pixels of this run would exceed " +
                                         std::to_string(request.maxPixelBytes) + " bytes");
            }
            SourceBitmap source;
            source.mode = sourceMode(slot->bitmap.pixel_mode);
            source.width = slot->bitmap.width;
            source.rows = slot->bitmap.rows;
            source.pitch = slot->bitmap.pitch;
            source.buffer = slot->bitmap.buffer;
            source.grayLevels = static_cast<std::uint32_t>(slot->bitmap.num_grays);
            glyph->pixels.reserve(bytes);
            if (!convertBitmap(source, glyph->pixels)) {
                throw zor::Failure(
                    "FT_Load_Char failed for " + describe(request) + " character " +
                    std::string(1, static_cast<char>(character)) + "; its bitmap pixel mode " +
                    std::to_string(slot->bitmap.pixel_mode) + " can not be converted");
            }
            request.pixelBytes += bytes;
        }
        set.glyphs.push_back(std::move(glyph));
    }
}
