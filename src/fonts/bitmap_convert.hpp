// Conversion of the bitmaps FreeType delivers into unpadded 8-bit coverage
// rows. Outline glyphs arrive as 8-bit grey already; embedded strikes of
// bitmap fonts arrive as 1-, 2- or 4-bit pixels, and rows may be padded or
// stored bottom-up (negative pitch).
#pragma once

#include <cstdint>
#include <vector>

// A bitmap as FreeType describes it, without depending on FreeType.
struct SourceBitmap {
    enum class Mode { Mono, Gray2, Gray4, Gray8, Other };
    Mode mode = Mode::Gray8;
    std::uint32_t width = 0;       // pixels in one row
    std::uint32_t rows = 0;        // rows
    std::int64_t pitch = 0;        // bytes from one row to the next; negative: rows bottom-up
    const std::uint8_t* buffer = nullptr;  // FreeType's buffer (for negative pitch: its start)
    std::uint32_t grayLevels = 256;        // FreeType's num_grays, for 8-bit grey
};

// Appends width x rows coverage bytes, top row first, to `out`. Reads only
// the rows x |pitch| bytes of `source.buffer`. Returns false for a mode it
// cannot convert or a pitch too short for the width.
bool convertBitmap(const SourceBitmap& source, std::vector<std::uint8_t>& out);
