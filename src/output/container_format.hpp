// The ovx container files: a 28-byte header (signature, version, file
// type) followed by the atlas image or the binary glyph descriptor.
//
//   header      20 signature "Glyphkiln atlas v1" + 2 zero bytes,
//               u16 major 1, u16 minor 0, u32 file type (1 image, 17 descriptor)
//   image       header, u32 width, u32 height, width x height coverage bytes
//   descriptor  header, 128-byte image file name, u8 set count, per set:
//               128-byte name, u8 glyph count, per glyph 15 bytes:
//               u8 character, u16 x, y, width, height, i16 left, top, u16 advance
//
// All integers little-endian, no gaps; name fields zero-filled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/byte_writer.hpp"
#include "output/descriptor.hpp"

constexpr char kSignature[] = "Glyphkiln atlas v1";  // 18 characters, then two zero bytes
constexpr std::size_t kHeaderBytes = 28;
constexpr std::uint32_t kImageFileType = 1;
constexpr std::uint32_t kDescriptorFileType = 17;

// Appends the 28-byte header with `fileType`.
void writeFileHeader(Bytes& out, std::uint32_t fileType);

// The whole descriptor file.
Bytes encodeContainerDescriptor(const std::vector<DescriptorSet>& sets,
                                const std::string& imageFileName);
