// The atlas image: u32 width, u32 height, then width x height coverage
// bytes, top row first. This is the whole raw image file, and the ovx
// atlas image file after its header.
#include "byte_cursor.hpp"

namespace glyphkiln::detail {

Image parseRawImage(const std::uint8_t* data, std::size_t size, const std::string& file,
                    std::size_t base) {
    static_assert(sizeof(std::size_t) >= 8, "a 65536 x 65536 atlas needs 64-bit sizes");
    ByteCursor in(data, size, file, base);
    Image image;
    image.width = in.u32("the image width");
    image.height = in.u32("the image height");
    const std::uint64_t pixels = std::uint64_t{image.width} * image.height;
    if (pixels != in.left()) {
        fail(file, at("offset", in.offset()),
             "an image of " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                 " pixels needs " + std::to_string(pixels) + " pixel bytes after its size, but the file has " +
                 std::to_string(in.left()));
    }
    const std::uint8_t* p = in.take(static_cast<std::size_t>(pixels), "the pixels");
    image.pixels.assign(p, p + pixels);
    return image;
}

}  // namespace glyphkiln::detail
