// One face stays open from a request to the next of the same file. Reusing
// it must not change a glyph, and every failure keeps its message and the
// request it belongs to.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/console.hpp"
#include "e2e/run_binary.hpp"
#include "fonts/font_fixtures.hpp"
#include "fonts/freetype_library.hpp"
#include "support/scratch_dir.hpp"

namespace {

struct Request {
    std::string path;
    unsigned size;
    std::string characters;
};

// The glyph as a face opened just for this size renders it.
zor::GlyphData freshGlyph(const fixtures::Library& library, const Request& request,
                          std::uint8_t character) {
    const fixtures::Face face = fixtures::openFace(library, request.path, request.size);
    EXPECT_EQ(FT_Load_Char(face.get(), character, FT_LOAD_RENDER), 0);
    const FT_GlyphSlot slot = face->glyph;
    EXPECT_EQ(slot->bitmap.pixel_mode, FT_PIXEL_MODE_GRAY);
    zor::GlyphData glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<std::int32_t>(slot->advance.x >> 6);
    glyph.width = slot->bitmap.width;
    glyph.height = slot->bitmap.rows;
    glyph.pixels.resize(std::size_t{glyph.width} * glyph.height);
    for (std::uint32_t r = 0; r < glyph.height; ++r) {
        std::memcpy(glyph.pixels.data() + std::size_t{r} * glyph.width,
                    slot->bitmap.buffer + static_cast<std::ptrdiff_t>(r) * slot->bitmap.pitch,
                    glyph.width);
    }
    return glyph;
}

TEST(FaceReuse, EverySizeRendersAsFromAFaceOfItsOwn) {
    const std::string sans = fixtures::dejavu("DejaVuSans.ttf");
    const std::string serif = fixtures::dejavu("DejaVuSerif.ttf");
    // Sizes of one file in a row, rising and falling, then the file again
    // after another one.
    const std::vector<Request> requests = {
        {sans, 16, "Ag@ "}, {sans, 40, "Ag@"}, {sans, 9, "Ag@"},
        {serif, 16, "Ag"},  {sans, 24, "gA"},
    };
    std::ostringstream text;
    console::Console quiet(text, false);
    FreeTypeLibrary library(1, true, quiet);
    for (const Request& r : requests) library.loadFontCharacters(r.path, r.size, r.characters);

    const fixtures::Library reference = fixtures::openLibrary();
    for (const Request& r : requests) {
        const auto& set = *FreeTypeLibrary::registry().at(r.path)->glyphSets.at(r.size);
        const std::string what = r.path + " " + std::to_string(r.size);
        ASSERT_FALSE(set.glyphs.empty()) << what;
        for (const auto& glyph : set.glyphs) {
            const zor::GlyphData fresh = freshGlyph(reference, r, glyph->character);
            EXPECT_EQ(glyph->width, fresh.width) << what << " " << glyph->character;
            EXPECT_EQ(glyph->height, fresh.height) << what << " " << glyph->character;
            EXPECT_EQ(glyph->left, fresh.left) << what << " " << glyph->character;
            EXPECT_EQ(glyph->top, fresh.top) << what << " " << glyph->character;
            EXPECT_EQ(glyph->advance, fresh.advance) << what << " " << glyph->character;
            EXPECT_EQ(glyph->pixels, fresh.pixels) << what << " " << glyph->character;
        }
    }
}

TEST(FaceReuse, FailuresKeepTheirRequest) {
    const std::string sans = fixtures::dejavu("DejaVuSans.ttf");
    const std::string serif = fixtures::dejavu("DejaVuSerif.ttf");
    const std::string bitmap = fixtures::font("kiln-tiny.bdf");  // only an 8 pixel strike
    struct Case {
        const char* what;
        std::string config;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"duplicate while its face is open", sans + " 12 a\n" + sans + " 12 b\n",
         "loadFontCharacters failed for " + sans + ", size 12; this font face & size was already used"},
        {"duplicate after another file", sans + " 12 a\n" + serif + " 12 a\n" + sans + " 12 a\n",
         "loadFontCharacters failed for " + sans + ", size 12; this font face & size was already used"},
        {"unopenable file after an open one", sans + " 12 a\n" + sans + " 14 a\nmissing.ttf 14 a\n",
         "FT_New_Face failed for missing.ttf, size 14"},
        {"unopenable file between sizes of one", sans + " 12 a\nmissing.ttf 12 a\n" + sans + " 13 a\n",
         "FT_New_Face failed for missing.ttf, size 12"},
        {"size missing from a reused face", bitmap + " 8 A\n" + bitmap + " 9 A\n",
         "FT_Set_Pixel_Sizes failed for " + bitmap + ", size 9"},
    };
    for (const Case& c : cases) {
        const support_test::ScratchDir dir;
        dir.write("fonts.txt", c.config);
        const e2e::Result result = e2e::runGlyphkiln(dir.path().string(), {"fonts.txt", "1"});
        EXPECT_EQ(result.out, "\nGlyphkiln v1.0\n\n" + c.message + "\n\n") << c.what;
    }
}

}  // namespace
