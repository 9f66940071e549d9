// The rules a glyph table obeys beyond its layout: per record, and for
// the rectangles against the image and against each other.
#include <algorithm>
#include <map>
#include <queue>

#include "parsed_table.hpp"

namespace glyphkiln::detail {

void fail(const std::string& file, const std::string& place, const std::string& reason) {
    throw AtlasError(file + ": " + place + ": " + reason);
}

std::string glyphName(std::uint8_t character, const std::string& setName) {
    return "[ " + std::string(1, static_cast<char>(character)) + " ] in " + setName;
}

void checkGlyphRecord(const Glyph& glyph, const GlyphSet& set, const std::string& file,
                      const std::string& place) {
    const std::string name = glyphName(glyph.character, set.name);
    if (!glyph.hasPixels() && (glyph.x | glyph.y | glyph.width | glyph.height) != 0) {
        fail(file, place, "glyph " + name + " has no pixels but a rectangle of " + std::to_string(glyph.x) +
                              "," + std::to_string(glyph.y) + " " + std::to_string(glyph.width) + "x" +
                              std::to_string(glyph.height) + "; it must be 0,0 0x0");
    }
    if (glyph.x + glyph.width > 65535 || glyph.y + glyph.height > 65535) {
        fail(file, place, "the rectangle of glyph " + name + " reaches beyond 65535");
    }
    if (glyph.left == -32768) fail(file, place, "left of glyph " + name + " is -32768");
    if (glyph.top == -32768) fail(file, place, "top of glyph " + name + " is -32768");
    if (set.find(glyph.character) != nullptr) {
        fail(file, place, "glyph " + name + " appears a second time in its set");
    }
}

namespace {

struct Box {
    std::uint32_t x, y, right, bottom;  // right and bottom exclusive
    std::size_t set, glyph;
};

}  // namespace

void checkRectangles(const ParsedTable& table, const Image& image, const std::string& file) {
    const auto place = [&](const Box& b) { return at(table.placeWord, table.where[b.set][b.glyph]); };
    const auto name = [&](const Box& b) {
        return glyphName(table.sets[b.set].glyphs[b.glyph].character, table.sets[b.set].name);
    };

    std::vector<Box> boxes;
    for (std::size_t s = 0; s < table.sets.size(); ++s) {
        for (std::size_t g = 0; g < table.sets[s].glyphs.size(); ++g) {
            const Glyph& glyph = table.sets[s].glyphs[g];
            if (!glyph.hasPixels()) continue;  // no rectangle to place
            const Box box{glyph.x, glyph.y, std::uint32_t{glyph.x} + glyph.width,
                          std::uint32_t{glyph.y} + glyph.height, s, g};
            if (box.right > image.width || box.bottom > image.height) {
                fail(file, place(box),
                     "the rectangle of glyph " + name(box) + " (" + std::to_string(box.x) + "," +
                         std::to_string(box.y) + " " + std::to_string(glyph.width) + "x" +
                         std::to_string(glyph.height) + ") lies outside the " +
                         std::to_string(image.width) + "x" + std::to_string(image.height) + " image");
            }
            boxes.push_back(box);
        }
    }

    // Sweep down the rows. The boxes spanning the current row have disjoint
    // columns as long as none overlap, so a new box need only be compared
    // with its neighbours to the left and right among them.
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    std::map<std::uint32_t, const Box*> active;  // by left column
    const auto laterBottom = [](const Box* a, const Box* b) { return a->bottom > b->bottom; };
    std::priority_queue<const Box*, std::vector<const Box*>, decltype(laterBottom)> ending(laterBottom);
    for (const Box& box : boxes) {
        while (!ending.empty() && ending.top()->bottom <= box.y) {
            active.erase(ending.top()->x);
            ending.pop();
        }
        const Box* other = nullptr;
        auto next = active.lower_bound(box.x);
        if (next != active.end() && next->second->x < box.right) other = next->second;
        if (other == nullptr && next != active.begin() && std::prev(next)->second->right > box.x) {
            other = std::prev(next)->second;
        }
        if (other != nullptr) {
            fail(file, place(box),
                 "the rectangle of glyph " + name(box) + " overlaps that of glyph " + name(*other) +
                     " (" + place(*other) + ")");
        }
        active.emplace(box.x, &box);
        ending.push(&box);
    }
}

}  // namespace glyphkiln::detail
