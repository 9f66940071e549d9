#include "json_table.hpp"

#include <cstdio>

namespace {

// Length of the UTF-8 sequence starting at `i`, or 0 when it is not one.
std::size_t utf8Length(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    const unsigned second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return 0;  // overlong, surrogate or beyond U+10FFFF
    }
    return n;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t n = utf8Length(text, i);
            if (n != 0) {
                out.append(text, i, n);
                i += n;
                continue;
            }
        }
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

void writeJson(const glyphkiln::Atlas& atlas, std::ostream& out) {
    out << "{\"format\":\"" << (atlas.format == glyphkiln::Format::Container ? "ovx" : "raw")
        << "\",\"image\":" << jsonString(atlas.imageFile) << ",\"width\":" << atlas.image.width
        << ",\"height\":" << atlas.image.height << ",\"sets\":[";
    for (std::size_t s = 0; s < atlas.sets.size(); ++s) {
        const glyphkiln::GlyphSet& set = atlas.sets[s];
        out << (s ? "," : "") << "\n{\"name\":" << jsonString(set.name) << ",\"glyphs\":[";
        for (std::size_t i = 0; i < set.glyphs.size(); ++i) {
            const glyphkiln::Glyph& g = set.glyphs[i];
            out << (i ? "," : "") << "\n {\"code\":" << unsigned{g.character} << ",\"x\":" << g.x
                << ",\"y\":" << g.y << ",\"width\":" << g.width << ",\"height\":" << g.height
                << ",\"left\":" << g.left << ",\"top\":" << g.top << ",\"advance\":" << g.advance << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}
