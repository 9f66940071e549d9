// Prints the atlas size and the rectangle of 'A' in every set.
#include <glyphkiln/atlas_reader.hpp>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    try {
        const glyphkiln::Atlas atlas = glyphkiln::loadAtlas(argv[1]);
        std::cout << atlas.image.width << "x" << atlas.image.height << "\n";
        for (const glyphkiln::GlyphSet& set : atlas.sets) {
            const glyphkiln::Glyph* a = set.find('A');
            if (a) std::cout << set.name << " A " << a->width << "x" << a->height << "\n";
        }
    } catch (const glyphkiln::AtlasError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
