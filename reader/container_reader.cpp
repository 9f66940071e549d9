// The ovx container files: a 28-byte header (20-byte signature, u16 major,
// u16 minor, u32 file type), then the atlas image (type 1) or the binary
// glyph descriptor (type 17). All integers little-endian, no gaps.
#include <cstring>

#include "byte_cursor.hpp"

namespace glyphkiln::detail {

namespace {

constexpr char kSignature[20] = "Glyphkiln atlas v1";  // 18 characters, then two zero bytes
constexpr std::uint16_t kMajor = 1;
constexpr std::uint16_t kMinor = 0;
constexpr std::uint32_t kImageType = 1;
constexpr std::uint32_t kDescriptorType = 17;
constexpr std::size_t kNameField = 128;
constexpr std::size_t kGlyphRecord = 15;

const char* typeName(std::uint32_t type) {
    return type == kImageType ? "an atlas image" : type == kDescriptorType ? "a glyph descriptor" : nullptr;
}

void readHeader(ByteCursor& in, std::uint32_t expectedType) {
    const std::uint8_t* signature = in.take(sizeof kSignature, "the signature");
    if (std::memcmp(signature, kSignature, sizeof kSignature) != 0) {
        fail(in.file(), "offset 0", "not a Glyphkiln atlas file: the signature does not match");
    }
    const std::size_t versionAt = in.offset();
    const std::uint16_t major = in.u16("the major version");
    const std::uint16_t minor = in.u16("the minor version");
    if (major != kMajor || minor != kMinor) {
        fail(in.file(), at("offset", versionAt),
             "version " + std::to_string(major) + "." + std::to_string(minor) +
                 " is not supported; this reader reads version 1.0");
    }
    const std::size_t typeAt = in.offset();
    const std::uint32_t type = in.u32("the file type");
    if (type != expectedType) {
        const char* actual = typeName(type);
        fail(in.file(), at("offset", typeAt),
             "file type " + std::to_string(type) + (actual ? std::string(" is ") + actual : std::string()) +
                 ", expected " + std::to_string(expectedType) + " (" + typeName(expectedType) + ")");
    }
}

// A zero-filled 128-byte field; its text runs up to the first zero byte.
std::string readNameField(ByteCursor& in, const std::string& what) {
    const std::size_t start = in.offset();
    const auto* field = reinterpret_cast<const char*>(in.take(kNameField, what));
    const void* end = std::memchr(field, 0, kNameField);
    if (end == nullptr) fail(in.file(), at("offset", start), what + " has no terminating zero byte");
    return std::string(field, static_cast<const char*>(end));
}

}  // namespace

ParsedTable parseContainerDescriptor(const std::uint8_t* data, std::size_t size,
                                     const std::string& file) {
    ByteCursor in(data, size, file);
    readHeader(in, kDescriptorType);
    ParsedTable table;
    const std::size_t nameAt = in.offset();
    table.namedImageFile = readNameField(in, "the image file name");
    if (table.namedImageFile.empty()) fail(file, at("offset", nameAt), "the image file name is empty");

    const unsigned setCount = in.u8("the set count");
    table.sets.resize(setCount);
    table.where.resize(setCount);
    for (unsigned s = 0; s < setCount; ++s) {
        const std::string label = "set " + std::to_string(s + 1);
        GlyphSet& set = table.sets[s];
        set.name = readNameField(in, "the name of " + label);
        const std::size_t countAt = in.offset();
        const unsigned glyphCount = in.u8("the glyph count of " + label);
        // Refuse a count that overruns the file before reading any record.
        if (std::size_t{glyphCount} * kGlyphRecord > in.left()) {
            fail(file, at("offset", countAt),
                 "the glyph count " + std::to_string(glyphCount) + " of " + label + " (" + set.name +
                     ") needs " + std::to_string(glyphCount * kGlyphRecord) + " bytes, but only " +
                     std::to_string(in.left()) + " are left");
        }
        set.glyphs.reserve(glyphCount);
        for (unsigned g = 0; g < glyphCount; ++g) {
            const std::size_t recordAt = in.offset();
            const std::string what = "glyph record " + std::to_string(g + 1) + " of " + label;
            Glyph glyph;
            glyph.character = in.u8(what);
            glyph.x = in.u16(what);
            glyph.y = in.u16(what);
            glyph.width = in.u16(what);
            glyph.height = in.u16(what);
            glyph.left = in.i16(what);
            glyph.top = in.i16(what);
            glyph.advance = in.u16(what);
            checkGlyphRecord(glyph, set, file, at("offset", recordAt));
            set.glyphs.push_back(glyph);
            table.where[s].push_back(recordAt);
        }
    }
    if (in.left() != 0) {
        fail(file, at("offset", in.offset()),
             std::to_string(in.left()) + " bytes follow the last glyph set");
    }
    return table;
}

Image parseContainerImage(const std::uint8_t* data, std::size_t size, const std::string& file) {
    ByteCursor in(data, size, file);
    readHeader(in, kImageType);
    return parseRawImage(data + in.offset(), size - in.offset(), file, in.offset());
}

}  // namespace glyphkiln::detail
