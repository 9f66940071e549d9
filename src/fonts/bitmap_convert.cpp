#include "fonts/bitmap_convert.hpp"

#include <cstring>

namespace {

// Bytes one row of `width` pixels needs in `mode`.
std::uint64_t rowBytes(SourceBitmap::Mode mode, std::uint64_t width) {
    switch (mode) {
        case SourceBitmap::Mode::Mono: return (width + 7) / 8;
        case SourceBitmap::Mode::Gray2: return (width + 3) / 4;
        case SourceBitmap::Mode::Gray4: return (width + 1) / 2;
        default: return width;
    }
}

}  // namespace

bool convertBitmap(const SourceBitmap& source, std::vector<std::uint8_t>& out) {
    if (source.mode == SourceBitmap::Mode::Other) return false;
    const std::uint64_t width = source.width;
    const std::uint64_t rows = source.rows;
    if (width == 0 || rows == 0) return true;
    const std::uint64_t stride = source.pitch < 0 ? static_cast<std::uint64_t>(-source.pitch)
                                                  : static_cast<std::uint64_t>(source.pitch);
    if (stride < rowBytes(source.mode, width) || source.buffer == nullptr) return false;

    const bool plainGrey = source.mode == SourceBitmap::Mode::Gray8 &&
                           (source.grayLevels == 256 || source.grayLevels < 2);
    if (plainGrey) {
        // The usual case: the rows as they are, each byte written once.
        out.reserve(out.size() + width * rows);
        for (std::uint64_t r = 0; r < rows; ++r) {
            const std::uint64_t sourceRow = source.pitch < 0 ? rows - 1 - r : r;
            const std::uint8_t* row = source.buffer + sourceRow * stride;
            out.insert(out.end(), row, row + width);
        }
        return true;
    }

    const std::size_t start = out.size();
    out.resize(start + width * rows);
    std::uint8_t* target = out.data() + start;
    for (std::uint64_t r = 0; r < rows; ++r) {
        // FreeType's buffer always begins with the top row in memory order
        // for positive pitch; with negative pitch the top row is the last.
        const std::uint64_t sourceRow = source.pitch < 0 ? rows - 1 - r : r;
        const std::uint8_t* row = source.buffer + sourceRow * stride;
        std::uint8_t* dest = target + r * width;
        switch (source.mode) {
            case SourceBitmap::Mode::Gray8:
                if (source.grayLevels == 256 || source.grayLevels < 2) {
                    std::memcpy(dest, row, width);
                } else {
                    const unsigned top = source.grayLevels - 1;
                    for (std::uint64_t c = 0; c < width; ++c) {
                        const unsigned v = row[c] > top ? top : row[c];
                        dest[c] = static_cast<std::uint8_t>((v * 255 + top / 2) / top);
                    }
                }
                break;
            case SourceBitmap::Mode::Mono:
                for (std::uint64_t c = 0; c < width; ++c) {
                    dest[c] = (row[c >> 3] & (0x80u >> (c & 7))) ? 255 : 0;
                }
                break;
            case SourceBitmap::Mode::Gray2:
                for (std::uint64_t c = 0; c < width; ++c) {
                    const unsigned v = (row[c >> 2] >> (6 - 2 * (c & 3))) & 3u;
                    dest[c] = static_cast<std::uint8_t>(v * 85);
                }
                break;
            case SourceBitmap::Mode::Gray4:
                for (std::uint64_t c = 0; c < width; ++c) {
                    const unsigned v = (row[c >> 1] >> (4 - 4 * (c & 1))) & 15u;
                    dest[c] = static_cast<std::uint8_t>(v * 17);
                }
                break;
            case SourceBitmap::Mode::Other: break;
        }
    }
    return true;
}
