// Bitmap conversion for every pixel mode with arbitrary sizes and pitches.
// The source buffer is exactly rows x |pitch| bytes on the heap, so any
// read beyond the bitmap FreeType would deliver is an AddressSanitizer
// report. A conversion that succeeds must give width x rows bytes whose
// values the mode can produce.
//
// Input: mode, width (2 bytes), rows (2 bytes), pitch (2 bytes, signed),
// grey levels (0 for 256), then the bytes that fill the buffer over and over.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fonts/bitmap_convert.hpp"

namespace {

constexpr SourceBitmap::Mode kModes[] = {SourceBitmap::Mode::Mono, SourceBitmap::Mode::Gray2,
                                         SourceBitmap::Mode::Gray4, SourceBitmap::Mode::Gray8,
                                         SourceBitmap::Mode::Other};

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool possibleValue(SourceBitmap::Mode mode, std::uint8_t v) {
    switch (mode) {
        case SourceBitmap::Mode::Mono: return v == 0 || v == 255;
        case SourceBitmap::Mode::Gray2: return v % 85 == 0;
        case SourceBitmap::Mode::Gray4: return v % 17 == 0;
        default: return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    SourceBitmap source;
    source.mode = kModes[data[0] % 5];
    source.width = u16(data + 1) % 2048;
    source.rows = u16(data + 3) % 1024;
    source.pitch = static_cast<std::int16_t>(u16(data + 5));
    source.grayLevels = data[7] == 0 ? 256 : data[7];  // FreeType's usual 256 too
    const std::uint8_t* fill = data + 8;
    const std::size_t fillSize = size - 8;

    const std::uint64_t stride = source.pitch < 0 ? -source.pitch : source.pitch;
    const std::size_t bufferSize = static_cast<std::size_t>(stride * source.rows);
    if (bufferSize > (1u << 18)) return 0;
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[bufferSize]);
    for (std::size_t i = 0; i < bufferSize; ++i) buffer[i] = fillSize ? fill[i % fillSize] : 0;
    source.buffer = buffer.get();

    std::vector<std::uint8_t> out = {7, 7, 7};  // what was there before stays
    const bool converted = convertBitmap(source, out);
    if (source.mode == SourceBitmap::Mode::Other && converted) std::abort();
    if (!converted) return 0;
    const std::size_t expected = std::size_t{source.width} * source.rows;
    if (out.size() != 3 + expected || out[0] != 7 || out[1] != 7 || out[2] != 7) std::abort();
    for (std::size_t i = 3; i < out.size(); ++i) {
        if (!possibleValue(source.mode, out[i])) std::abort();
    }
    // 8-bit grey of 256 levels is copied; the top row is the first row in
    // memory for a positive pitch and the last for a negative one.
    if (source.mode == SourceBitmap::Mode::Gray8 && (source.grayLevels == 256 || source.grayLevels < 2) &&
        expected != 0) {
        const std::uint8_t* top = source.pitch < 0 ? source.buffer + (source.rows - 1) * stride
                                                   : source.buffer;
        if (out[3] != top[0]) std::abort();
    }
    return 0;
}
