#include "atlas/placement.hpp"

#include <algorithm>
#include <memory>

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

// The free list of the first-fit search, in creation order.
//
// A linear scan for the first rectangle that holds a glyph costs the whole
// list per glyph. Because glyphs come tallest first, a rectangle that is
// tall enough for one glyph is tall enough for every later one; so the
// rectangles are split into those tall enough for the current glyph
// (searched by width in a max tree over creation order, giving the same
// first fit in logarithmic time) and lower bottom pieces, which wait in a
// heap by height until the glyphs get down to their height. Used
// rectangles leave holes that a compaction drops whenever the slots run
// out, so the tree stays about twice as large as the live list.
class FreeList {
public:
    // Starts with `rects`, in their order, for glyphs `currentHeight` tall.
    FreeList(const std::vector<FreeRect>& rects, std::uint64_t currentHeight) {
        rebuild(kMinimumLeaves);
        for (const FreeRect& rect : rects) append(rect, currentHeight);
    }

    // Appends a rectangle at the end of the creation order.
    void append(const FreeRect& rect, std::uint64_t currentHeight) {
        if (slots.size() == leaves) compact();
        const std::size_t index = slots.size();
        slots.push_back({rect, rect.height >= currentHeight ? kSearchable : kWaiting});
        if (slots[index].state == kSearchable) {
            raise(index, rect.width);
        } else {
            waiting.push_back(index);
            std::push_heap(waiting.begin(), waiting.end(), lower());
        }
    }

    // Makes every waiting rectangle at least `height` tall searchable; the
    // height never rises from one call to the next.
    void admit(std::uint64_t height) {
        while (!waiting.empty() && slots[waiting.front()].rect.height >= height) {
            const std::size_t index = waiting.front();
            std::pop_heap(waiting.begin(), waiting.end(), lower());
            waiting.pop_back();
            slots[index].state = kSearchable;
            raise(index, slots[index].rect.width);
        }
    }

    // The earliest searchable rectangle at least `width` wide, or npos.
    // Width 0 marks a slot without one: every glyph is at least 1 wide.
    std::size_t firstFit(std::uint64_t width, std::uint64_t) const {
        if (widest[1] < width) return npos;
        std::size_t node = 1;
        while (node < leaves) {
            node *= 2;
            if (widest[node] < width) ++node;
        }
        return node - leaves;
    }

    const FreeRect& operator[](std::size_t index) const { return slots[index].rect; }

    void remove(std::size_t index) {
        slots[index].state = kGone;
        std::size_t node = index + leaves;
        widest[node] = 0;
        for (node /= 2; node >= 1; node /= 2) {
            const std::uint64_t w = std::max(widest[2 * node], widest[2 * node + 1]);
            if (widest[node] == w) break;
            widest[node] = w;
        }
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    enum State : std::uint8_t { kGone, kWaiting, kSearchable };
    struct Slot {
        FreeRect rect;
        State state;
    };
    static constexpr std::size_t kMinimumLeaves = 64;

    void raise(std::size_t index, std::uint64_t width) {
        std::size_t node = index + leaves;
        widest[node] = width;
        for (node /= 2; node >= 1 && widest[node] < width; node /= 2) widest[node] = width;
    }

    // Drops the used rectangles, keeping the order of the others, and
    // leaves room for as many again.
    void compact() {
        std::size_t live = 0;
        for (const Slot& slot : slots) {
            if (slot.state != kGone) slots[live++] = slot;
        }
        slots.resize(live);
        std::size_t size = kMinimumLeaves;
        while (size < 2 * live) size *= 2;
        rebuild(size);
    }

    void rebuild(std::size_t leafCount) {
        leaves = leafCount;
        widest.assign(2 * leaves, 0);
        waiting.clear();
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i].state == kSearchable) widest[leaves + i] = slots[i].rect.width;
            if (slots[i].state == kWaiting) waiting.push_back(i);
        }
        for (std::size_t node = leaves; node-- > 1;) {
            widest[node] = std::max(widest[2 * node], widest[2 * node + 1]);
        }
        std::make_heap(waiting.begin(), waiting.end(), lower());
    }

    struct Lower {
        const std::vector<Slot>* slots;
        bool operator()(std::size_t a, std::size_t b) const {
            return (*slots)[a].rect.height < (*slots)[b].rect.height;
        }
    };
    Lower lower() const { return Lower{&slots}; }

    std::size_t leaves = 0;
    std::vector<Slot> slots;            // creation order; used ones stay until a compaction
    std::vector<std::uint64_t> widest;  // max tree over the slots; leaves from `leaves` on
    std::vector<std::size_t> waiting;   // max heap of slots lower than the current glyph
};

// The free list as a plain vector, scanned from the front: the quickest
// while it is short, as the lists of fonts' glyphs stay (a few dozen).
class ShortList {
public:
    void admit(std::uint64_t) {}
    std::size_t firstFit(std::uint64_t width, std::uint64_t height) const {
        for (std::size_t i = 0; i < rects.size(); ++i) {
            if (width <= rects[i].width && height <= rects[i].height) return i;
        }
        return FreeList::npos;
    }
    const FreeRect& operator[](std::size_t index) const { return rects[index]; }
    void remove(std::size_t index) { rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(index)); }
    void append(const FreeRect& rect, std::uint64_t) { rects.push_back(rect); }

    std::vector<FreeRect> rects;
};

// Places one glyph of at least 1x1 pixels, taking the first fit of `list`
// or opening a new row.
template <typename List>
AtlasPosition placeOne(List& list, std::uint64_t wp, std::uint64_t hp, std::uint32_t padding,
                       AtlasLayout& layout) {
    list.admit(hp);
    const std::size_t fit = list.firstFit(wp, hp);
    if (fit == FreeList::npos) {
        const AtlasPosition position{0, layout.height};
        if (wp < layout.width) list.append({wp, layout.height, layout.width - wp, hp}, hp);
        layout.height += hp;
        return position;
    }
    const FreeRect f = list[fit];
    list.remove(fit);
    if (f.width - wp > padding) list.append({f.x + wp, f.y, f.width - wp, hp}, hp);
    if (f.height - hp > padding) list.append({f.x, f.y + hp, f.width, f.height - hp}, hp);
    return {f.x, f.y};
}

}  // namespace


AtlasLayout placeGlyphs(const std::vector<GlyphSize>& sorted, std::uint32_t padding,
                        std::uint64_t width) {
    // The indexed search relies on the tallest-first order; any other order
    // is placed by the plain scan, which gives the positions by definition.
    if (!heightsNeverRise(sorted)) return placeGlyphsReference(sorted, padding, width);

    AtlasLayout layout;
    layout.width = width;
    layout.positions.resize(sorted.size());
    // The plain list until it grows long, then the indexed one, for good.
    constexpr std::size_t kLongList = 64;
    ShortList shortList;
    std::unique_ptr<FreeList> longList;
    for (std::size_t i = sorted.size(); i-- > 0;) {
        const GlyphSize& glyph = sorted[i];
        if (glyph.width == 0 || glyph.height == 0) {
            layout.positions[i] = {kNotPlaced, kNotPlaced};
            continue;
        }
        const std::uint64_t wp = std::uint64_t{glyph.width} + padding;
        const std::uint64_t hp = std::uint64_t{glyph.height} + padding;
        if (!longList && shortList.rects.size() > kLongList) {
            longList = std::make_unique<FreeList>(shortList.rects, hp);
        }
        layout.positions[i] = longList ? placeOne(*longList, wp, hp, padding, layout)
                                       : placeOne(shortList, wp, hp, padding, layout);
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
