// Placement alone, over synthetic glyph sets: the indexed first-fit search
// that the program uses and the plain scan it is checked against.
//
// Counts: 95 (one default set), 2,400, 24,000 (255 sets of about 95) and
// 65,025 (255 sets of 255 glyphs, the most the container format holds).
// Mixes:
//   realistic    glyphs of fonts from 8 to 58 pixels, some without pixels
//   uniform      widths and heights uniform in 1..300
//   tiny-huge    a few huge glyphs, then very many tiny ones: long free lists
//   staircase    every height once, narrow and wide mixed: many bottom
//                pieces wait for lower glyphs
//   long-rows    most glyphs wider than half the atlas, each opening a row
//                whose remainder few glyphs fit: the free list grows with
//                the glyph count, and the plain scan with its square
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "atlas/placement.hpp"

namespace {

enum Mix { kRealistic, kUniform, kTinyHuge, kStaircase, kLongRows };

std::vector<GlyphSize> makeSizes(Mix mix, std::size_t count) {
    std::mt19937 random(static_cast<std::uint32_t>(count * 31 + mix));
    std::vector<GlyphSize> sizes;
    sizes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        switch (mix) {
            case kRealistic: {
                const std::uint32_t size = 8 + static_cast<std::uint32_t>((i / 95) % 51);
                if (i % 95 == 0) {
                    sizes.push_back({0, 0});  // the space
                    break;
                }
                std::uniform_int_distribution<std::uint32_t> w(size / 4 + 1, size),
                    h(size / 5 + 1, size + size / 4);
                sizes.push_back({w(random), h(random)});
                break;
            }
            case kUniform: {
                std::uniform_int_distribution<std::uint32_t> d(1, 300);
                sizes.push_back({d(random), d(random)});
                break;
            }
            case kTinyHuge: {
                std::uniform_int_distribution<std::uint32_t> tiny(1, 3);
                if (i < 16) {
                    sizes.push_back({400 + static_cast<std::uint32_t>(i) * 20, 300});
                } else {
                    sizes.push_back({tiny(random), tiny(random)});
                }
                break;
            }
            case kLongRows: {
                std::uint32_t atlas = 64;
                while (atlas < 2 * count) atlas *= 2;
                std::uniform_int_distribution<std::uint32_t> wide(atlas / 2 + 1, atlas / 10 * 9),
                    narrow(1, atlas / 4), h(1, 3);
                std::uniform_int_distribution<int> percent(0, 99);
                sizes.push_back({percent(random) < 20 ? narrow(random) : wide(random), h(random)});
                break;
            }
            case kStaircase: {
                const auto h = static_cast<std::uint32_t>(1 + i % 512);
                sizes.push_back({i % 2 ? 3u : 1 + static_cast<std::uint32_t>((i * 7919) % 200), h});
                break;
            }
        }
    }
    std::stable_sort(sizes.begin(), sizes.end(), [](const GlyphSize& a, const GlyphSize& b) {
        return a.height != b.height ? a.height < b.height : a.width < b.width;
    });
    return sizes;
}

template <AtlasLayout (*Place)(const std::vector<GlyphSize>&, std::uint32_t, std::uint64_t)>
void placement(benchmark::State& state) {
    const auto mix = static_cast<Mix>(state.range(0));
    const std::vector<GlyphSize> sizes = makeSizes(mix, static_cast<std::size_t>(state.range(1)));
    const std::uint32_t padding = 2;
    const std::uint64_t width =
        chooseAtlasWidth(totalGlyphArea(sizes), maxGlyphWidth(sizes), padding);
    for (auto _ : state) {
        AtlasLayout layout = Place(sizes, padding, width);
        benchmark::DoNotOptimize(layout.height);
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
    state.counters["atlas_height"] = static_cast<double>(Place(sizes, padding, width).height);
}

void counts(benchmark::internal::Benchmark* b, bool reference) {
    for (int mix : {kRealistic, kUniform, kTinyHuge, kStaircase, kLongRows}) {
        for (int count : {95, 2400, 24000, 65025}) {
            // The plain scan is quadratic on long lists; its largest runs
            // there would take long without telling more.
            if (reference && mix == kLongRows && count > 24000) continue;
            b->Args({mix, count});
        }
    }
    b->ArgNames({"mix", "glyphs"})->Unit(benchmark::kMicrosecond);
}

void fastCounts(benchmark::internal::Benchmark* b) { counts(b, false); }
void referenceCounts(benchmark::internal::Benchmark* b) { counts(b, true); }

}  // namespace

BENCHMARK_TEMPLATE(placement, placeGlyphs)->Apply(fastCounts);
BENCHMARK_TEMPLATE(placement, placeGlyphsReference)->Apply(referenceCounts);

BENCHMARK_MAIN();
