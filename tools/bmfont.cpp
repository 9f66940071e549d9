#include "bmfont.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "png_file.hpp"

namespace {

// The pixel size glyphkiln appends to every set name; 0 when absent.
unsigned trailingSize(const std::string& name) {
    std::size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9') --start;
    if (start == name.size() || name.size() - start > 5) return 0;
    return static_cast<unsigned>(std::stoul(name.substr(start)));
}

// The format has no escapes inside quotes.
std::string quotable(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

std::string stem(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

}  // namespace

LineMetrics lineMetrics(const glyphkiln::GlyphSet& set) {
    std::int64_t ascent = 0, descent = 0;
    for (const glyphkiln::Glyph& g : set.glyphs) {
        if (!g.hasPixels()) continue;
        ascent = std::max<std::int64_t>(ascent, g.top);
        descent = std::max<std::int64_t>(descent, std::int64_t{g.height} - g.top);
    }
    return {ascent, ascent + descent};
}

std::string bmfontText(const glyphkiln::GlyphSet& set, const glyphkiln::Image& image,
                       const std::string& pageFile) {
    const LineMetrics metrics = lineMetrics(set);
    const unsigned size = trailingSize(set.name);
    std::string out;
    out += "info face=\"" + quotable(set.name) + "\" size=" +
           std::to_string(size != 0 ? size : static_cast<unsigned>(metrics.lineHeight)) +
           " bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 "
           "spacing=0,0\n";
    out += "common lineHeight=" + std::to_string(metrics.lineHeight) + " base=" +
           std::to_string(metrics.base) + " scaleW=" + std::to_string(image.width) + " scaleH=" +
           std::to_string(image.height) + " pages=1 packed=0\n";
    out += "page id=0 file=\"" + quotable(pageFile) + "\"\n";
    out += "chars count=" + std::to_string(set.glyphs.size()) + "\n";
    for (const glyphkiln::Glyph& g : set.glyphs) {
        out += "char id=" + std::to_string(g.character) + " x=" + std::to_string(g.x) + " y=" +
               std::to_string(g.y) + " width=" + std::to_string(g.width) + " height=" +
               std::to_string(g.height) + " xoffset=" + std::to_string(g.left) + " yoffset=" +
               std::to_string(metrics.base - g.top) + " xadvance=" + std::to_string(g.advance) +
               " page=0 chnl=15\n";
    }
    return out;
}

std::vector<std::string> bmfontFileNames(const std::vector<glyphkiln::GlyphSet>& sets) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const glyphkiln::GlyphSet& set : sets) {
        std::string base = set.name.empty() ? "set" : set.name;
        for (char& c : base) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                               c == '-' || c == '_' || c == '.';
            if (!plain) c = '_';
        }
        if (base.front() == '.') base.front() = '_';  // no hidden files, no ".."
        std::string name = base + ".fnt";
        for (unsigned n = 2; !taken.insert(name).second; ++n) name = base + "-" + std::to_string(n) + ".fnt";
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> writeBmfont(const glyphkiln::Atlas& atlas, const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) throw std::runtime_error("can not create the directory " + directory + ": " + error.message());

    const std::string page = stem(atlas.imageFile) + ".png";
    std::vector<std::string> written{(fs::path(directory) / page).string()};
    writePng(written.front(), atlas.image.width, atlas.image.height, 1, atlas.image.pixels);

    const std::vector<std::string> names = bmfontFileNames(atlas.sets);
    for (std::size_t s = 0; s < atlas.sets.size(); ++s) {
        const std::string path = (fs::path(directory) / names[s]).string();
        const std::string text = bmfontText(atlas.sets[s], atlas.image, page);
        std::ofstream out(path, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) throw std::runtime_error("can not write " + path);
        written.push_back(path);
    }
    return written;
}
