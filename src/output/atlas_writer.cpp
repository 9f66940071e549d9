#include "output/atlas_writer.hpp"

#include "output/atlas_image.hpp"
#include "output/atomic_file.hpp"
#include "output/container_format.hpp"
#include "output/file_names.hpp"
#include "output/glyph_text.hpp"

std::vector<DescriptorSet> checkAtlasOutput(std::uint64_t width, std::uint64_t height,
                                            const std::string& baseName,
                                            std::vector<GlyphPlacement>& placements,
                                            const std::vector<const zor::GlyphSet*>& sets,
                                            bool rawOutput) {
    const std::string descriptorName = descriptorFileName(baseName, rawOutput);
    checkAtlasSize(width, height, imageFileName(baseName, rawOutput));
    if (!rawOutput) {
        checkNameField(imageFileName(baseName, rawOutput), "the image file name ", descriptorName);
    }
    return buildDescriptor(placements, sets, sets.size(), descriptorName);
}

void saveAtlasImage(std::uint32_t width, std::uint32_t height, const std::string& baseName,
                    const std::vector<GlyphPlacement>& placements, bool rawOutput,
                    console::Console& console) {
    const std::string fileName = imageFileName(baseName, rawOutput);
    console << "Saving " << fileName << "\n";
    Bytes file;
    if (!rawOutput) {
        file.reserve(kHeaderBytes + 8 + std::size_t{width} * height);
        writeFileHeader(file, kImageFileType);
    }
    appendAtlasImage(file, width, height, placements);
    replaceFileContents(fileName, file.data(), file.size());
}

void saveGlyphDescriptor(const std::vector<DescriptorSet>& sets, const std::string& baseName,
                         bool rawOutput, console::Console& console) {
    const std::string fileName = descriptorFileName(baseName, rawOutput);
    console << "Saving " << fileName << "\n";
    if (rawOutput) {
        const std::string text = encodeGlyphText(sets);
        replaceFileContents(fileName, text.data(), text.size());
    } else {
        const Bytes bytes = encodeContainerDescriptor(sets, imageFileName(baseName, false));
        replaceFileContents(fileName, bytes.data(), bytes.size());
    }
}

void saveAtlas(std::uint64_t width, std::uint64_t height, const std::string& baseName,
               std::vector<GlyphPlacement>& placements,
               const std::vector<const zor::GlyphSet*>& sets, bool rawOutput,
               console::Console& console) {
    const std::vector<DescriptorSet> table =
        checkAtlasOutput(width, height, baseName, placements, sets, rawOutput);
    saveAtlasImage(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), baseName,
                   placements, rawOutput, console);
    saveGlyphDescriptor(table, baseName, rawOutput, console);
}
