#include "fonts/bitmap_convert.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ConvertCase {
    std::string name;
    SourceBitmap::Mode mode;
    std::uint32_t width;
    std::uint32_t rows;
    std::int64_t pitch;
    Bytes memory;  // exactly rows x |pitch| bytes, as FreeType holds them
    Bytes expected;
    std::uint32_t grayLevels = 256;
};

// Padding bits and bytes are set to 1s, so reading them would show up in
// the result.
const std::vector<ConvertCase> kCases = {
    {"mono_two_bytes_per_row", SourceBitmap::Mode::Mono, 10, 2, 2,
     {0xFF, 0xFF, 0x80, 0x7F},
     {255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 0, 0, 0, 0, 0, 0, 0, 0, 255}},
    {"mono_padded_rows", SourceBitmap::Mode::Mono, 3, 2, 4,
     {0xBF, 0xFF, 0xFF, 0xFF, 0x5F, 0xFF, 0xFF, 0xFF},
     {255, 0, 255, 0, 255, 0}},
    {"mono_negative_pitch", SourceBitmap::Mode::Mono, 2, 3, -1,
     {0x40, 0x80, 0xC0},  // bottom row first in memory
     {255, 255, 255, 0, 0, 255}},
    {"gray2_scaled", SourceBitmap::Mode::Gray2, 5, 1, 2,
     {0x1B, 0x3F},  // 0 1 2 3 | 0, then padding bits
     {0, 85, 170, 255, 0}},
    {"gray2_negative_pitch", SourceBitmap::Mode::Gray2, 2, 2, -1,
     {0xCF, 0x4F},
     {85, 0, 255, 0}},
    {"gray4_scaled", SourceBitmap::Mode::Gray4, 3, 2, 2,
     {0x0F, 0x8F, 0xF1, 0x2F},
     {0, 255, 136, 255, 17, 34}},
    {"gray8_padded_rows", SourceBitmap::Mode::Gray8, 3, 2, 4,
     {1, 2, 3, 99, 4, 5, 6, 99},
     {1, 2, 3, 4, 5, 6}},
    {"gray8_negative_padded_pitch", SourceBitmap::Mode::Gray8, 2, 2, -3,
     {7, 8, 99, 1, 2, 99},
     {1, 2, 7, 8}},
    {"gray8_unpadded", SourceBitmap::Mode::Gray8, 2, 2, 2,
     {0, 128, 200, 255},
     {0, 128, 200, 255}},
    {"gray8_with_four_levels", SourceBitmap::Mode::Gray8, 4, 1, 4,
     {0, 1, 2, 3},
     {0, 85, 170, 255}, 4},
};

class ConvertBitmap : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertBitmap, givesUnpaddedCoverageRowsTopFirst) {
    const ConvertCase& c = GetParam();
    SourceBitmap source;
    source.mode = c.mode;
    source.width = c.width;
    source.rows = c.rows;
    source.pitch = c.pitch;
    source.grayLevels = c.grayLevels;
    // A buffer of exactly the bitmap's size, so a read past it is a fault
    // that memory checkers report.
    const Bytes memory = c.memory;
    source.buffer = memory.data();

    Bytes out = {42};  // converted pixels are appended
    ASSERT_TRUE(convertBitmap(source, out));
    Bytes expected = {42};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(out, expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, ConvertBitmap, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ConvertCase>& info) {
                             return info.param.name;
                         });

TEST(ConvertBitmapRefusal, unknownModeAndShortPitchFailEmptyBitmapsAddNothing) {
    const Bytes memory = {1, 2, 3, 4};
    SourceBitmap source;
    source.width = 2;
    source.rows = 2;
    source.pitch = 2;
    source.buffer = memory.data();
    Bytes out;

    source.mode = SourceBitmap::Mode::Other;
    EXPECT_FALSE(convertBitmap(source, out));

    source.mode = SourceBitmap::Mode::Gray8;
    source.pitch = 1;  // shorter than a row of two grey pixels
    EXPECT_FALSE(convertBitmap(source, out));
    source.pitch = -1;
    EXPECT_FALSE(convertBitmap(source, out));
    EXPECT_TRUE(out.empty());

    source.mode = SourceBitmap::Mode::Mono;
    source.width = 9;  // needs two bytes per row
    source.pitch = 1;
    EXPECT_FALSE(convertBitmap(source, out));

    // No pixels: nothing is read, not even a null buffer.
    source.mode = SourceBitmap::Mode::Gray8;
    source.width = 0;
    source.pitch = 0;
    source.buffer = nullptr;
    EXPECT_TRUE(convertBitmap(source, out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
