// Little-endian fixed-width fields appended to a byte buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void putU8(Bytes& out, std::uint8_t v) { out.push_back(v); }
inline void putU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void putI16(Bytes& out, std::int16_t v) { putU16(out, static_cast<std::uint16_t>(v)); }
inline void putU32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
// `text` in a zero-filled field of `size` bytes; the caller has checked
// that it leaves room for the terminating zero.
inline void putNameField(Bytes& out, const std::string& text, std::size_t size) {
    const std::size_t start = out.size();
    out.resize(start + size, 0);
    text.copy(reinterpret_cast<char*>(out.data() + start), size - 1);
}
