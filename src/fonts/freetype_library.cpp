#include "fonts/freetype_library.hpp"

#include <stdexcept>

#include "fonts/font_loader.hpp"
#include "support/failure.hpp"

FT_Library FreeTypeLibrary::ftLibrary = nullptr;
FontRegistry FreeTypeLibrary::fontRegistry;

FreeTypeLibrary::FreeTypeLibrary(std::uint32_t padding, bool rawOutput, console::Console& out)
    : padding(padding), rawOutput(rawOutput), console(out) {
    if (ftLibrary != nullptr) throw zor::Failure("FreeTypeLibrary can only be constructed once");
    if (FT_Init_FreeType(&ftLibrary) != 0) {
        ftLibrary = nullptr;
        throw zor::Failure("FT_Init_FreeType failed");
    }
}

FreeTypeLibrary::~FreeTypeLibrary() {
    // The face belongs to the library instance and goes before it.
    openFace.reset();
    // ftLibrary keeps its value, so that no second instance can be made.
    if (ftLibrary != nullptr) FT_Done_FreeType(ftLibrary);
}

void FreeTypeLibrary::loadFontCharacters(const std::string& path, std::uint32_t pixelSize,
                                         const std::string& characters) {
    const std::string request = path + ", size " + std::to_string(pixelSize);

    auto found = fontRegistry.find(path);
    if (found != fontRegistry.end() && found->second->glyphSets.count(pixelSize) != 0) {
        throw zor::Failure("loadFontCharacters failed for " + request +
                                 "; this font face & size was already used");
    }
    if (found == fontRegistry.end()) {
        found = fontRegistry.emplace(path, std::make_shared<zor::FontSizes>()).first;
    }
    const std::shared_ptr<zor::FontSizes> sizes = found->second;

    const FT_Face face = faceFor(path, request);
    if (FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
        throw zor::Failure("FT_Set_Pixel_Sizes failed for " + request);
    }
    // Most requests name the same characters as the one before (often the
    // default set), so the ordered set is kept for the next one.
    if (!characterSetReady || characters != characterSetText) {
        characterSet = characterSetFor(characters);
        characterSetText = characters;
        characterSetReady = true;
    }

    auto set = std::make_shared<zor::GlyphSet>();
    sizes->glyphSets[pixelSize] = set;
    set->name = glyphSetName(face->family_name, face->style_name, pixelSize);

    const LoadRequest limits{path, pixelSize, glyphPixelBytes, kMaxGlyphPixelBytes};
    rasteriseCharacters(face, characterSet, limits, *set);
}

FT_Face FreeTypeLibrary::faceFor(const std::string& path, const std::string& request) {
    if (openFace && openPath == path) return openFace.get();
    // Close the previous file first, so that no more than one is ever open.
    openFace.reset();
    openPath.clear();
    FT_Face rawFace = nullptr;
    // A NUL byte would end the path early and open some other file.
    if (path.find('\0') != std::string::npos ||
        FT_New_Face(ftLibrary, path.c_str(), 0, &rawFace) != 0) {
        throw zor::Failure("FT_New_Face failed for " + request);
    }
    openFace.reset(rawFace);
    openPath = path;
    return rawFace;
}
