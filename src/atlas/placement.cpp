#include "atlas/placement.hpp"

#include <algorithm>

namespace {

struct FreeRect {
    std::uint64_t x, y, width, height;
};

}  // namespace

std::uint64_t chooseAtlasWidth(std::uint64_t totalArea, std::uint64_t maxWidth,
                               std::uint32_t padding) {
    const std::uint64_t widest = std::uint64_t{padding} + maxWidth;
    std::uint64_t width = 64;
    // Past 2^32 the square exceeds every 64-bit area, so it need not be formed.
    while (width < widest || (width <= 0xFFFFFFFFu && width * width < totalArea)) width *= 2;
    return width;
}

AtlasLayout placeGlyphsReference(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                        std::uint64_t width) {
    AtlasLayout layout;
    layout.width = width;
    layout.positions.resize(sorted.size());
    std::vector<FreeRect> freeList;
    for (std::size_t i = sorted.size(); i-- > 0;) {
        const GlyphSize& glyph = sorted[i];
        AtlasPosition& position = layout.positions[i];
        if (glyph.width == 0 || glyph.height == 0) {
            position = {kNotPlaced, kNotPlaced};
            continue;
        }
        const std::uint64_t wp = std::uint64_t{glyph.width} + padding;
        const std::uint64_t hp = std::uint64_t{glyph.height} + padding;
        const auto fit = std::find_if(freeList.begin(), freeList.end(), [&](const FreeRect& f) {
            return wp <= f.width && hp <= f.height;
        });
        if (fit != freeList.end()) {
            const FreeRect f = *fit;
            freeList.erase(fit);
            position = {f.x, f.y};
            if (f.width - wp > padding) freeList.push_back({f.x + wp, f.y, f.width - wp, hp});
            if (f.height - hp > padding) freeList.push_back({f.x, f.y + hp, f.width, f.height - hp});
        } else {
            position = {0, layout.height};
            if (wp < width) freeList.push_back({wp, layout.height, width - wp, hp});
            layout.height += hp;
        }
    }
    return layout;
}

namespace {

// Tallest first: the walk from the last entry to the first never meets a
// taller glyph than the one before it.
bool heightsNeverRise(const std::vector<GlyphSize>& sorted) {
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i - 1].height > sorted[i].height) return false;
    }
    return true;
}

// The free list of the first-fit search, indexed by creation order.
//
// A linear scan for the first rectangle that holds a glyph costs the whole
// list per glyph. Because glyphs come tallest first, a rectangle that is
// tall enough for one glyph is tall enough for every later one; so the
// rectangles are split into those tall enough for the current glyph
// (searched by width in a max tree over creation order, giving the same
// first fit in O(log n)) and lower bottom pieces, which wait in a heap by
// height until the glyphs get down to their height.
class FreeList {
public:
    explicit FreeList(std::size_t capacity) {
        leaves = 1;
        while (leaves < capacity) leaves *= 2;
        widest.assign(2 * leaves, 0);
        rects.reserve(capacity);
    }

    // Appends a rectangle at the end of the creation order.
    void append(const FreeRect& rect, std::uint64_t currentHeight) {
        const std::size_t index = rects.size();
        rects.push_back(rect);
        if (rect.height >= currentHeight) {
            setWidth(index, rect.width);
        } else {
            waiting.push_back(index);
            std::push_heap(waiting.begin(), waiting.end(), lower());
        }
    }

    // Makes every waiting rectangle at least `height` tall searchable; the
    // height never rises from one call to the next.
    void admit(std::uint64_t height) {
        while (!waiting.empty() && rects[waiting.front()].height >= height) {
            setWidth(waiting.front(), rects[waiting.front()].width);
            std::pop_heap(waiting.begin(), waiting.end(), lower());
            waiting.pop_back();
        }
    }

    // The earliest searchable rectangle at least `width` wide, or npos.
    // Width 0 marks a free slot: every glyph is at least 1 pixel wide.
    std::size_t firstFit(std::uint64_t width) const {
        if (widest[1] < width) return npos;
        std::size_t node = 1;
        while (node < leaves) {
            node *= 2;
            if (widest[node] < width) ++node;
        }
        return node - leaves;
    }

    const FreeRect& operator[](std::size_t index) const { return rects[index]; }
    void remove(std::size_t index) { setWidth(index, 0); }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    void setWidth(std::size_t index, std::uint64_t width) {
        std::size_t node = index + leaves;
        widest[node] = width;
        for (node /= 2; node >= 1; node /= 2) {
            widest[node] = std::max(widest[2 * node], widest[2 * node + 1]);
        }
    }

    struct Lower {
        const std::vector<FreeRect>* rects;
        bool operator()(std::size_t a, std::size_t b) const {
            return (*rects)[a].height < (*rects)[b].height;
        }
    };
    Lower lower() const { return Lower{&rects}; }

    std::size_t leaves = 1;
    std::vector<std::uint64_t> widest;  // max tree over creation order; leaves from `leaves` on
    std::vector<FreeRect> rects;        // every rectangle ever appended
    std::vector<std::size_t> waiting;   // max heap of rectangles lower than the current glyph
};

}  // namespace

AtlasLayout placeGlyphs(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                        std::uint64_t width) {
    // The faster search relies on the tallest-first order; any other order
    // is placed by the plain scan, which gives the positions by definition.
    if (!heightsNeverRise(sorted)) return placeGlyphsReference(sorted, padding, width);

    AtlasLayout layout;
    layout.width = width;
    layout.positions.resize(sorted.size());
    // Each glyph adds at most two rectangles.
    FreeList freeList(2 * sorted.size());
    for (std::size_t i = sorted.size(); i-- > 0;) {
        const GlyphSize& glyph = sorted[i];
        AtlasPosition& position = layout.positions[i];
        if (glyph.width == 0 || glyph.height == 0) {
            position = {kNotPlaced, kNotPlaced};
            continue;
        }
        const std::uint64_t wp = std::uint64_t{glyph.width} + padding;
        const std::uint64_t hp = std::uint64_t{glyph.height} + padding;
        freeList.admit(hp);
        const std::size_t fit = freeList.firstFit(wp);
        if (fit != FreeList::npos) {
            const FreeRect f = freeList[fit];
            freeList.remove(fit);
            position = {f.x, f.y};
            if (f.width - wp > padding) freeList.append({f.x + wp, f.y, f.width - wp, hp}, hp);
            if (f.height - hp > padding) {
                freeList.append({f.x, f.y + hp, f.width, f.height - hp}, hp);
            }
        } else {
            position = {0, layout.height};
            if (wp < width) freeList.append({wp, layout.height, width - wp, hp}, hp);
            layout.height += hp;
        }
    }
    return layout;
}

std::uint64_t totalGlyphArea(const std::vector<GlyphSize>& sizes) {
    std::uint64_t area = 0;
    for (const GlyphSize& s : sizes) area += std::uint64_t{s.width} * s.height;
    return area;
}

std::uint64_t maxGlyphWidth(const std::vector<GlyphSize>& sizes) {
    std::uint64_t widest = 0;
    for (const GlyphSize& s : sizes) widest = std::max<std::uint64_t>(widest, s.width);
    return widest;
}

float atlasCoverage(std::uint64_t totalArea, std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0) return 0.0f;
    const double coverage = static_cast<double>(totalArea) * 100.0 /
                            (static_cast<double>(width) * static_cast<double>(height));
    return static_cast<float>(coverage);
}
