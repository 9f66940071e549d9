// FreeTypeLibrary: the program's one gateway to FreeType. It owns the
// FreeType library instance for its lifetime, loads font files at pixel
// sizes into the process-wide registry, and builds the atlas from it.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <type_traits>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "app/console.hpp"
#include "fonts/glyph_records.hpp"

class FreeTypeLibrary {
public:
    // Starts FreeType. Fails with "FreeTypeLibrary can only be constructed
    // once" when a FreeTypeLibrary was constructed before in this process,
    // and with "FT_Init_FreeType failed" when FreeType does not start.
    FreeTypeLibrary(std::uint32_t padding, bool rawOutput,
                    console::Console& out = console::standardConsole());
    ~FreeTypeLibrary();

    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

    // Rasterises `characters` (the bytes 32..126 when empty) of the font at
    // `path` and `pixelSize` and files them in the registry as one glyph set.
    void loadFontCharacters(const std::string& path, std::uint32_t pixelSize,
                            const std::string& characters);

    // Orders and places every loaded glyph, reports the layout, writes the
    // output files named after `baseName`, and empties the registry.
    void createAtlas(const std::string& baseName);

    static const FontRegistry& registry() { return fontRegistry; }

    // The most glyph pixel bytes one run may hold; more than any atlas can take.
    static constexpr std::uint64_t kMaxGlyphPixelBytes = 4294967296ull;

private:
    struct FaceCloser {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };
    using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

    // The face of `path`: the one still open from the previous request when
    // that named the same path, a newly opened one otherwise.
    FT_Face faceFor(const std::string& path, const std::string& request);

    std::uint32_t padding;
    bool rawOutput;
    console::Console& console;
    std::uint64_t glyphPixelBytes = 0;  // pixel bytes of every glyph loaded so far
    // The last face opened, kept for the next request of the same file: the
    // sizes of one file usually follow each other, and opening a face costs
    // as much as rendering several glyphs. One face at most stays open.
    std::string openPath;
    FaceHandle openFace;
    // The characters of the last request, as given and as the ordered set
    // that is rasterised.
    bool characterSetReady = false;
    std::string characterSetText;
    std::set<std::uint8_t> characterSet;

    static FT_Library ftLibrary;        // null until the first construction; never reset
    static FontRegistry fontRegistry;   // every font loaded in this process
};
