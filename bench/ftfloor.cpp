// ftfloor: the FreeType work of a configuration file and nothing else, as
// the floor that glyphkiln's run time is measured against.
//
// Request by request, in file order: open the face, set the pixel size,
// load and render every requested character with FT_LOAD_RENDER, and copy
// each bitmap into memory that stays alive until the end. No ordering, no
// placement, no output files; one summary line on standard output.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "app/config_file.hpp"

namespace {

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

// The distinct bytes of `characters` in ascending order; 32..126 when empty.
std::vector<std::uint8_t> charactersOf(const std::string& characters) {
    bool wanted[256] = {};
    if (characters.empty()) {
        for (int c = 32; c <= 126; ++c) wanted[c] = true;
    } else {
        for (char c : characters) wanted[static_cast<std::uint8_t>(c)] = true;
    }
    std::vector<std::uint8_t> result;
    for (int c = 0; c < 256; ++c) {
        if (wanted[c]) result.push_back(static_cast<std::uint8_t>(c));
    }
    return result;
}

// Copies the top-down rows of an 8-bit bitmap without their row padding,
// writing each byte once (no zero fill before the copy).
std::vector<std::uint8_t> copyBitmap(const FT_Bitmap& bitmap) {
    const std::size_t width = bitmap.width;
    const std::size_t rows = bitmap.rows;
    std::vector<std::uint8_t> pixels;
    if (width == 0 || rows == 0 || bitmap.buffer == nullptr) return pixels;
    pixels.reserve(width * rows);
    const std::size_t stride = static_cast<std::size_t>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
    const std::size_t rowBytes = stride < width ? stride : width;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint8_t* row = bitmap.buffer + (bitmap.pitch < 0 ? rows - 1 - r : r) * stride;
        pixels.insert(pixels.end(), row, row + rowBytes);
    }
    return pixels;
}

std::size_t rasterise(FT_Library library, const FontInfo& font,
                      std::vector<std::vector<std::uint8_t>>& bitmaps) {
    const std::string request = font.fontPath + ", size " + std::to_string(font.pixelSize);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library, font.fontPath.c_str(), 0, &rawFace) != 0) {
        throw std::runtime_error("FT_New_Face failed for " + request);
    }
    const FaceHandle face(rawFace);
    if (FT_Set_Pixel_Sizes(face.get(), 0, font.pixelSize) != 0) {
        throw std::runtime_error("FT_Set_Pixel_Sizes failed for " + request);
    }
    std::size_t glyphs = 0;
    for (std::uint8_t character : charactersOf(font.characters)) {
        if (FT_Load_Char(face.get(), character, FT_LOAD_RENDER) != 0) {
            throw std::runtime_error("FT_Load_Char failed for " + request);
        }
        bitmaps.push_back(copyBitmap(face->glyph->bitmap));
        ++glyphs;
    }
    return glyphs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ftfloor <configFile.txt>\n");
        return 2;
    }
    try {
        const std::vector<FontInfo> fonts = parseConfigFile(argv[1]);
        FT_Library rawLibrary = nullptr;
        if (FT_Init_FreeType(&rawLibrary) != 0) throw std::runtime_error("FT_Init_FreeType failed");
        const LibraryHandle library(rawLibrary);
        std::vector<std::vector<std::uint8_t>> bitmaps;
        std::size_t glyphs = 0;
        for (const FontInfo& font : fonts) glyphs += rasterise(library.get(), font, bitmaps);
        std::uint64_t pixelBytes = 0;
        for (const auto& b : bitmaps) pixelBytes += b.size();
        // One line for the benchmark runner: it bounds glyphkiln's memory.
        std::printf("glyphs %zu pixel-bytes %llu\n", glyphs,
                    static_cast<unsigned long long>(pixelBytes));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ftfloor: %s\n", error.what());
        return 1;
    }
}
