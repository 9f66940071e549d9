// Writing an 8-bit PNG with libpng: greyscale (1 channel) or RGB (3).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `pixels` (rows top first, `channels` bytes per pixel) to `path`.
// Throws std::runtime_error naming the file when it can not be written,
// also for an image without pixels, which PNG can not hold.
void writePng(const std::string& path, std::uint32_t width, std::uint32_t height, int channels,
              const std::vector<std::uint8_t>& pixels);
