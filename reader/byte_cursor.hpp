// Bounds-checked little-endian reads from a byte buffer. A read past the
// end throws, naming the file, the offset and what was being read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "parsed_table.hpp"

namespace glyphkiln::detail {

class ByteCursor {
public:
    // `base` is the offset of `data` in the file, for messages.
    ByteCursor(const std::uint8_t* data, std::size_t size, const std::string& file,
               std::size_t base = 0)
        : data_(data), size_(size), base_(base), file_(file) {}

    std::size_t offset() const { return base_ + pos_; }
    std::size_t left() const { return size_ - pos_; }
    const std::string& file() const { return file_; }

    // Fails unless `count` more bytes are there; `what` names them.
    void need(std::size_t count, const std::string& what) const {
        if (count > left()) {
            fail(file_, at("offset", offset()),
                 "the file ends inside " + what + " (" + std::to_string(count) + " bytes needed, " +
                     std::to_string(left()) + " left)");
        }
    }

    const std::uint8_t* take(std::size_t count, const std::string& what) {
        need(count, what);
        const std::uint8_t* p = data_ + pos_;
        pos_ += count;
        return p;
    }

    std::uint8_t u8(const std::string& what) { return *take(1, what); }
    std::uint16_t u16(const std::string& what) {
        const std::uint8_t* p = take(2, what);
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::int16_t i16(const std::string& what) { return static_cast<std::int16_t>(u16(what)); }
    std::uint32_t u32(const std::string& what) {
        const std::uint8_t* p = take(4, what);
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t base_;
    std::size_t pos_ = 0;
    const std::string& file_;
};

}  // namespace glyphkiln::detail
