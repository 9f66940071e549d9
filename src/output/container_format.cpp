#include "output/container_format.hpp"

static_assert(sizeof kSignature == 19, "the signature is 18 characters");

void writeFileHeader(Bytes& out, std::uint32_t fileType) {
    putNameField(out, kSignature, 20);
    putU16(out, kFormatMajor);
    putU16(out, kFormatMinor);
    putU32(out, fileType);
}

Bytes encodeContainerDescriptor(const std::vector<DescriptorSet>& sets,
                                const std::string& imageFileName) {
    Bytes out;
    writeFileHeader(out, kDescriptorFileType);
    putNameField(out, imageFileName, kNameFieldBytes);
    putU8(out, static_cast<std::uint8_t>(sets.size()));
    for (const DescriptorSet& set : sets) {
        putNameField(out, set.name, kNameFieldBytes);
        putU8(out, static_cast<std::uint8_t>(set.glyphs.size()));
        for (const DescriptorGlyph& g : set.glyphs) {
            putU8(out, g.character);
            putU16(out, g.x);
            putU16(out, g.y);
            putU16(out, g.width);
            putU16(out, g.height);
            putI16(out, g.left);
            putI16(out, g.top);
            putU16(out, g.advance);
        }
    }
    return out;
}
