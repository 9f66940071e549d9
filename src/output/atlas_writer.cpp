#include "output/atlas_writer.hpp"

#include <cstring>
#include <memory>

#include "output/atlas_image.hpp"
#include "output/atomic_file.hpp"
#include "output/container_format.hpp"
#include "output/file_names.hpp"
#include "output/glyph_text.hpp"
#include "output/zeroed_buffer.hpp"

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

namespace {

// The image file in one block that the system hands out zeroed, so the
// image is only written where glyphs go.
ZeroedBuffer imageFileBytes(std::uint32_t width, std::uint32_t height,
                            const std::vector<GlyphPlacement>& placements, bool rawOutput) {
    Bytes header;
    if (!rawOutput) writeFileHeader(header, kImageFileType);
    putU32(header, width);
    putU32(header, height);
    ZeroedBuffer file(header.size() + std::size_t{width} * height);
    std::memcpy(file.data(), header.data(), header.size());
    composeAtlasImage(file.data() + header.size(), width, placements);
    return file;
}

Bytes descriptorFileBytes(const std::vector<DescriptorSet>& sets, const std::string& baseName,
                          bool rawOutput) {
    if (!rawOutput) return encodeContainerDescriptor(sets, imageFileName(baseName, false));
    const std::string text = encodeGlyphText(sets);
    return Bytes(text.begin(), text.end());
}

}  // namespace

void saveAtlasImage(std::uint32_t width, std::uint32_t height, const std::string& baseName,
                    const std::vector<GlyphPlacement>& placements, bool rawOutput,
                    console::Console& console) {
    const std::string fileName = imageFileName(baseName, rawOutput);
    console << "Saving " << fileName << "\n";
    const ZeroedBuffer file = imageFileBytes(width, height, placements, rawOutput);
    replaceFileContents(fileName, file.data(), file.size());
}

void saveGlyphDescriptor(const std::vector<DescriptorSet>& sets, const std::string& baseName,
                         bool rawOutput, console::Console& console) {
    const std::string fileName = descriptorFileName(baseName, rawOutput);
    console << "Saving " << fileName << "\n";
    const Bytes file = descriptorFileBytes(sets, baseName, rawOutput);
    replaceFileContents(fileName, file.data(), file.size());
}

void saveAtlas(std::uint64_t width, std::uint64_t height, const std::string& baseName,
               std::vector<GlyphPlacement>& placements,
               const std::vector<const zor::GlyphSet*>& sets, bool rawOutput,
               console::Console& console) {
    const std::vector<DescriptorSet> table =
        checkAtlasOutput(width, height, baseName, placements, sets, rawOutput);
    // Both files are completely written before either replaces its
    // predecessor, so that a full disk cannot leave a new image beside an
    // old descriptor.
    const std::string imageName = imageFileName(baseName, rawOutput);
    console << "Saving " << imageName << "\n";
    std::unique_ptr<StagedFile> image;
    {
        const ZeroedBuffer file = imageFileBytes(static_cast<std::uint32_t>(width),
                                          static_cast<std::uint32_t>(height), placements, rawOutput);
        image = std::make_unique<StagedFile>(imageName, file.data(), file.size());
    }
    const std::string descriptorName = descriptorFileName(baseName, rawOutput);
    console << "Saving " << descriptorName << "\n";
    const Bytes file = descriptorFileBytes(table, baseName, rawOutput);
    StagedFile descriptor(descriptorName, file.data(), file.size());
    image->commit();
    descriptor.commit();
}
