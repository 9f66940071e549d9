// The bytes of each output file for hand-built layouts: header, image,
// container descriptor and glyph text file.
#include <gtest/gtest.h>

#include "output/atlas_image.hpp"
#include "output/atlas_writer.hpp"
#include "output/container_format.hpp"
#include "output/glyph_text.hpp"
#include "output_fixture.hpp"

namespace output_test {
namespace {

std::string text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(ContainerHeader, IsSignatureVersionAndFileType) {
    for (const std::uint32_t type : {kImageFileType, kDescriptorFileType}) {
        Bytes out;
        writeFileHeader(out, type);
        ASSERT_EQ(out.size(), 28u);
        EXPECT_EQ(text(out), header(type));
    }
    EXPECT_EQ(kImageFileType, 1u);
    EXPECT_EQ(kDescriptorFileType, 17u);
}

TEST(AtlasImage, CopiesEachBitmapToItsPlaceAndLeavesTheRestBlank) {
    Layout layout;
    sampleLayout(layout);
    Bytes out;
    appendAtlasImage(out, kSampleWidth, kSampleHeight, layout.placements);
    EXPECT_EQ(text(out), sampleImage());
}

TEST(AtlasImage, HeightZeroIsTheSizeFieldsAlone) {
    Layout layout;
    zor::GlyphSet& set = layout.addSet("Tiny Regular8");
    layout.addGlyph(set, ' ', 0, 0, kUnplaced, kUnplaced);
    layout.addGlyph(set, '_', 7, 0, kUnplaced, kUnplaced);  // wide but no rows
    Bytes out;
    appendAtlasImage(out, 64, 0, layout.placements);
    EXPECT_EQ(text(out), le32(64) + le32(0));
}

TEST(AtlasImage, AppendsAfterAContainerHeader) {
    Layout layout;
    sampleLayout(layout);
    Bytes out;
    writeFileHeader(out, kImageFileType);
    appendAtlasImage(out, kSampleWidth, kSampleHeight, layout.placements);
    EXPECT_EQ(text(out), header(1) + sampleImage());
    EXPECT_EQ(out.size(), 36u + kSampleWidth * kSampleHeight);
}

std::vector<DescriptorSet> checkedSample(Layout& layout, bool raw) {
    sampleLayout(layout);
    return checkAtlasOutput(kSampleWidth, kSampleHeight, "fonts", layout.placements,
                            layout.registryOrder(), raw);
}

TEST(ContainerDescriptor, WritesSetsAndRecordsInGroupedOrder) {
    Layout layout;
    const Bytes out = encodeContainerDescriptor(checkedSample(layout, false), "fontsAtlas.ovx");
    EXPECT_EQ(out.size(), 157u + 2 * 129 + 4 * 15);
    EXPECT_EQ(text(out), sampleDescriptor("fontsAtlas.ovx"));
}

TEST(ContainerDescriptor, NegativeMetricsAreTwosComplement) {
    Layout layout;
    const Bytes out = encodeContainerDescriptor(checkedSample(layout, false), "fontsAtlas.ovx");
    // g is the second record of the first set; its left (-5) is at offset 9.
    const std::size_t g = 157 + 129 + 15;
    ASSERT_EQ(out[g], 'g');
    EXPECT_EQ(out[g + 9], 0xFB);
    EXPECT_EQ(out[g + 10], 0xFF);
}

TEST(ContainerDescriptor, ImageNameFieldKeepsDirectories) {
    const Bytes out = encodeContainerDescriptor({}, "out/fontsAtlas.ovx");
    EXPECT_EQ(text(out), header(17) + nameField("out/fontsAtlas.ovx") + std::string(1, '\0'));
}

TEST(ContainerDescriptor, NameOf127BytesKeepsItsTerminator) {
    const std::string name(127, 'n');
    DescriptorSet set;
    set.name = name;
    const Bytes out = encodeContainerDescriptor({set}, std::string(127, 'i'));
    EXPECT_EQ(text(out), header(17) + std::string(127, 'i') + '\0' + "\x01" + name + '\0' + '\0');
}

TEST(GlyphText, ListsSetsAndGlyphLinesWithCrLf) {
    Layout layout;
    EXPECT_EQ(encodeGlyphText(checkedSample(layout, true)), sampleGlyphText());
}

TEST(GlyphText, SpaceLineAndExtremeValues) {
    Layout layout;
    zor::GlyphSet& set = layout.addSet("Edge Bold9");
    layout.addGlyph(set, ' ', 0, 0, kUnplaced, kUnplaced, -32767, 32767, 65535);
    layout.addGlyph(set, '\xE9', 5, 1, 65530, 65534, 0, -1, 0);
    const auto table =
        checkAtlasOutput(65536, 65535, "fonts", layout.placements, layout.registryOrder(), true);
    EXPECT_EQ(encodeGlyphText(table),
              "1 fonts\r\n"
              "Font named: Edge Bold9\r\n"
              "2 glyphs\r\n"
              "[   ] xy(0,0) wh(0,0) left(-32767) top(32767) advance(65535)\r\n"
              "[ \xE9 ] xy(65530,65534) wh(5,1) left(0) top(-1) advance(0)\r\n");
}

TEST(GlyphText, NoSetsIsTheCountLineAlone) {
    EXPECT_EQ(encodeGlyphText({}), "0 fonts\r\n");
}

}  // namespace
}  // namespace output_test
