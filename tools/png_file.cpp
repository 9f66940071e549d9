#include "png_file.hpp"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; the message is kept here until then.
struct PngErrors {
    char message[256] = "";
};

void onError(png_structp png, png_const_charp message) {
    auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Plain C data only between setjmp and any longjmp, so nothing needs
// unwinding. Returns false with errors->message filled on failure.
bool encode(std::FILE* file, std::uint32_t width, std::uint32_t height, int channels,
            const std::uint8_t* pixels, PngErrors* errors) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, errors, onError, onWarning);
    if (png == nullptr) {
        std::snprintf(errors->message, sizeof errors->message, "libpng could not start");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t stride = std::size_t{width} * static_cast<std::size_t>(channels);
    for (std::uint32_t row = 0; row < height; ++row) {
        png_write_row(png, pixels + row * stride);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void writePng(const std::string& path, std::uint32_t width, std::uint32_t height, int channels,
              const std::vector<std::uint8_t>& pixels) {
    if (width == 0 || height == 0) {
        throw std::runtime_error("can not write " + path + ": an image of " + std::to_string(width) +
                                 "x" + std::to_string(height) + " pixels has nothing a PNG can hold");
    }
    if (pixels.size() != std::size_t{width} * height * static_cast<std::size_t>(channels)) {
        throw std::runtime_error("can not write " + path + ": the pixels do not match the image size");
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) throw std::runtime_error("can not write " + path + ": it could not be opened for writing");
    PngErrors errors;
    if (!encode(file.get(), width, height, channels, pixels.data(), &errors)) {
        throw std::runtime_error("can not write " + path + ": " + errors.message);
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        throw std::runtime_error("can not write " + path + ": writing to it failed");
    }
    if (std::fclose(file.release()) != 0) {
        throw std::runtime_error("can not write " + path + ": writing to it failed");
    }
}
