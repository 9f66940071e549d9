// Shared by the reader and inspector tests: atlases written by the built
// glyphkiln, glyphs straight from FreeType for comparison, PNG decoding
// with libpng, and running the built inspector.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "e2e/run_binary.hpp"
#include "support/run_program.hpp"
#include "support/scratch_dir.hpp"

namespace reader_test {

const std::string kBitmapFont = std::string(GLYPHKILN_TEST_DATA) + "/reader/fixtures/kiln12.bdf";
const std::string kOutlineFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Writes `config` as atlas.txt into `dir` and runs glyphkiln there; returns
// the descriptor's path (atlas.ovx or atlasAscii.txt).
inline std::string buildAtlas(const support_test::ScratchDir& dir, const std::string& config,
                              bool raw, const std::string& padding = "1") {
    dir.write("atlas.txt", config);
    std::vector<std::string> args{"atlas.txt", padding};
    if (raw) args.push_back("raw");
    const e2e::Result run = e2e::runGlyphkiln(dir.path().string(), args);
    if (run.status != 0 || run.out.find("Saving") == std::string::npos) {
        throw std::runtime_error("glyphkiln failed:\n" + run.out);
    }
    return (dir.path() / (raw ? "atlasAscii.txt" : "atlas.ovx")).string();
}

// A glyph as FreeType renders it with the loader's flags, converted to
// one coverage byte per pixel here, independently of the program.
struct FtGlyph {
    int left = 0, top = 0, advance = 0;
    unsigned width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
};

class FtFace {
public:
    FtFace(const std::string& path, unsigned pixelSize) {
        if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FT_Init_FreeType failed");
        if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0 ||
            FT_Set_Pixel_Sizes(face_, 0, pixelSize) != 0) {
            if (face_) FT_Done_Face(face_);
            FT_Done_FreeType(library_);
            throw std::runtime_error("can not open " + path);
        }
    }
    ~FtFace() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FtFace(const FtFace&) = delete;
    FtFace& operator=(const FtFace&) = delete;

    FtGlyph glyph(std::uint8_t character) const {
        if (FT_Load_Char(face_, character, FT_LOAD_RENDER) != 0) throw std::runtime_error("FT_Load_Char failed");
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& b = slot->bitmap;
        FtGlyph g;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = static_cast<int>(slot->advance.x >> 6);
        g.width = b.width;
        g.height = b.rows;
        for (unsigned r = 0; r < b.rows; ++r) {
            const std::uint8_t* row = b.buffer + static_cast<std::ptrdiff_t>(r) * b.pitch;
            for (unsigned c = 0; c < b.width; ++c) {
                if (b.pixel_mode == FT_PIXEL_MODE_MONO) {
                    g.pixels.push_back((row[c / 8] >> (7 - c % 8)) & 1 ? 255 : 0);
                } else if (b.pixel_mode == FT_PIXEL_MODE_GRAY) {
                    g.pixels.push_back(row[c]);
                } else {
                    throw std::runtime_error("unexpected pixel mode in the test fonts");
                }
            }
        }
        return g;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// A PNG decoded with libpng, with what the file itself declares.
struct DecodedPng {
    std::uint32_t width = 0, height = 0;
    bool colour = false, alpha = false;
    std::vector<std::uint8_t> pixels;  // 1 byte per pixel, or 3 with colour
};

inline DecodedPng decodePng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        throw std::runtime_error("libpng can not read " + path + ": " + image.message);
    }
    DecodedPng out;
    out.width = image.width;
    out.height = image.height;
    out.colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
    out.alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = out.colour ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error("libpng can not decode " + path + ": " + image.message);
    }
    return out;
}

// Runs the built glyphkiln-inspect with `arguments`.
inline e2e::Result runInspect(const std::vector<std::string>& arguments) {
    return support_test::runCaptured(GLYPHKILN_INSPECT, "glyphkiln-inspect", "", arguments);
}

}  // namespace reader_test
