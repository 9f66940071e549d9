// The reader's entry points: parsing a descriptor and its image together,
// finding the image that belongs to a descriptor, and reading the files.
#include <fstream>
#include <iterator>

#include "glyphkiln/atlas_reader.hpp"
#include "parsed_table.hpp"

namespace glyphkiln {

const Glyph* GlyphSet::find(std::uint8_t character) const {
    for (const Glyph& glyph : glyphs) {
        if (glyph.character == character) return &glyph;
    }
    return nullptr;
}

const GlyphSet* Atlas::findSet(const std::string& name) const {
    for (const GlyphSet& set : sets) {
        if (set.name == name) return &set;
    }
    return nullptr;
}

const Glyph* Atlas::find(const std::string& setName, std::uint8_t character) const {
    const GlyphSet* set = findSet(setName);
    return set ? set->find(character) : nullptr;
}

bool isContainerFile(const std::vector<std::uint8_t>& data) {
    // A glyph text file opens with its set count; an ovx file with its
    // signature. Anything else is read as ovx, whose signature check then
    // says what is wrong.
    return data.empty() || data[0] < '0' || data[0] > '9';
}

Atlas parseAtlas(const std::vector<std::uint8_t>& descriptor, const std::string& descriptorName,
                 const std::vector<std::uint8_t>& image, const std::string& imageName) {
    Atlas atlas;
    atlas.descriptorFile = descriptorName;
    atlas.imageFile = imageName;
    detail::ParsedTable table;
    if (isContainerFile(descriptor)) {
        atlas.format = Format::Container;
        table = detail::parseContainerDescriptor(descriptor.data(), descriptor.size(), descriptorName);
        atlas.image = detail::parseContainerImage(image.data(), image.size(), imageName);
    } else {
        atlas.format = Format::Raw;
        table = detail::parseGlyphText(descriptor.data(), descriptor.size(), descriptorName);
        atlas.image = detail::parseRawImage(image.data(), image.size(), imageName);
    }
    detail::checkRectangles(table, atlas.image, descriptorName);
    atlas.namedImageFile = std::move(table.namedImageFile);
    atlas.sets = std::move(table.sets);
    return atlas;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw AtlasError(path + ": can not be opened for reading");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw AtlasError(path + ": reading failed");
    return bytes;
}

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool readable(const std::string& path) { return std::ifstream(path, std::ios::binary).good(); }

}  // namespace

std::string findImageFile(const std::string& descriptorPath) {
    const std::vector<std::uint8_t> descriptor = readFileBytes(descriptorPath);
    if (!isContainerFile(descriptor)) {
        if (!endsWith(descriptorPath, "Ascii.txt")) {
            throw AtlasError(descriptorPath + ": a glyph text file is named <base>Ascii.txt, its image "
                             "<base>Atlas.raw; name the image explicitly");
        }
        return descriptorPath.substr(0, descriptorPath.size() - 9) + "Atlas.raw";
    }
    const detail::ParsedTable table =
        detail::parseContainerDescriptor(descriptor.data(), descriptor.size(), descriptorPath);
    const std::string& named = table.namedImageFile;
    const std::string beside = directoryOf(descriptorPath) + named.substr(named.find_last_of('/') + 1);
    if (readable(beside) || !readable(named)) return beside;
    return named;
}

Atlas loadAtlas(const std::string& descriptorPath) {
    return loadAtlas(descriptorPath, findImageFile(descriptorPath));
}

Atlas loadAtlas(const std::string& descriptorPath, const std::string& imagePath) {
    return parseAtlas(readFileBytes(descriptorPath), descriptorPath, readFileBytes(imagePath), imagePath);
}

}  // namespace glyphkiln
