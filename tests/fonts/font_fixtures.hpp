// Paths of the test fonts, and FreeType handles for tests that rasterise
// without the program's FreeTypeLibrary (which allows one per process).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace fixtures {

// Bitmap fonts written as text beside the tests:
//  kiln-tiny.bdf     "Kiln Tiny" "Bold", one 8 pixel strike, glyphs
//                    space ? A a b c and 0xE9, '?' the default glyph
//  kiln-twin.bdf     the same family, style and size, only a 3x3 'A'
//  kiln-nameless.bdf no family name, style "Regular", 6 pixels, a 2x2 'A'
inline std::string font(const std::string& name) {
    return std::string(GLYPHKILN_TEST_DATA) + "/fonts/fixtures/" + name;
}

inline std::string dejavu(const std::string& name) {
    return "/usr/share/fonts/truetype/dejavu/" + name;
}

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using Face = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

inline Library openLibrary() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FT_Init_FreeType failed");
    return Library(library);
}

// Opens `path` at `pixelSize`; the face must be released before `library`.
inline Face openFace(const Library& library, const std::string& path, unsigned pixelSize) {
    FT_Face face = nullptr;
    if (FT_New_Face(library.get(), path.c_str(), 0, &face) != 0) {
        throw std::runtime_error("cannot open " + path);
    }
    Face handle(face);
    if (FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
        throw std::runtime_error("no size " + std::to_string(pixelSize) + " in " + path);
    }
    return handle;
}

}  // namespace fixtures
