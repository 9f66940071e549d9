// FreeTypeLibrary: the program's one gateway to FreeType. It owns the
// FreeType library instance for its lifetime, loads font files at pixel
// sizes into the process-wide registry, and builds the atlas from it.
#pragma once

#include <cstdint>
#include <string>

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
    std::uint32_t padding;
    bool rawOutput;
    console::Console& console;
    std::uint64_t glyphPixelBytes = 0;  // pixel bytes of every glyph loaded so far

    static FT_Library ftLibrary;        // null until the first construction; never reset
    static FontRegistry fontRegistry;   // every font loaded in this process
};
