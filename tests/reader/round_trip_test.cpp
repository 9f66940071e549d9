// Round trips: atlases written by the built glyphkiln in both modes, read
// back with the reader and compared with what FreeType renders directly.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "glyphkiln/atlas_reader.hpp"
#include "reader/atlas_fixture.hpp"

namespace {

using reader_test::FtFace;

struct Source {
    std::string font;
    unsigned size;
    std::string characters;  // what the configuration asks for; empty for the default
};

const std::map<std::string, Source> kSets = {
    {"Kiln TestRegular12", {reader_test::kBitmapFont, 12, "Al ign."}},
    {"DejaVu SansBook16", {reader_test::kOutlineFont, 16, ""}},
    {"DejaVu SansBook9", {reader_test::kOutlineFont, 9, "gjp qy_|@"}},
};

std::string config() {
    std::string text;
    for (const auto& entry : kSets) {
        text += entry.second.font + " " + std::to_string(entry.second.size) + " " +
                entry.second.characters + "\n";
    }
    return text;
}

// Every glyph's metrics are FreeType's, its rectangle holds exactly
// FreeType's bitmap, and nothing else in the image has ink.
void expectMatchesFreeType(const glyphkiln::Atlas& atlas) {
    ASSERT_EQ(atlas.sets.size(), kSets.size());
    std::uint64_t inkInRectangles = 0;
    for (const glyphkiln::GlyphSet& set : atlas.sets) {
        SCOPED_TRACE(set.name);
        ASSERT_EQ(kSets.count(set.name), 1u);
        const Source& source = kSets.at(set.name);
        const FtFace face(source.font, source.size);
        const std::set<char> distinct(source.characters.begin(), source.characters.end());
        EXPECT_EQ(set.glyphs.size(), source.characters.empty() ? 95u : distinct.size());
        for (const glyphkiln::Glyph& g : set.glyphs) {
            SCOPED_TRACE(std::string("character ") + static_cast<char>(g.character));
            const reader_test::FtGlyph want = face.glyph(g.character);
            EXPECT_EQ(g.left, want.left);
            EXPECT_EQ(g.top, want.top);
            EXPECT_EQ(g.advance, want.advance);
            if (want.width == 0 || want.height == 0) {
                EXPECT_FALSE(g.hasPixels());
                continue;
            }
            ASSERT_EQ(g.width, want.width);
            ASSERT_EQ(g.height, want.height);
            std::vector<std::uint8_t> inRectangle;
            for (unsigned r = 0; r < g.height; ++r) {
                for (unsigned c = 0; c < g.width; ++c) {
                    inRectangle.push_back(atlas.image.at(g.x + c, g.y + r));
                    inkInRectangles += inRectangle.back();
                }
            }
            EXPECT_EQ(inRectangle, want.pixels);
        }
    }
    std::uint64_t ink = 0;
    for (std::uint8_t p : atlas.image.pixels) ink += p;
    EXPECT_EQ(ink, inkInRectangles) << "ink outside every glyph rectangle";
}

TEST(ReaderRoundTrip, BothModesMatchFreeTypeAndEachOther) {
    const support_test::ScratchDir ovxDir, rawDir;
    const glyphkiln::Atlas ovx = glyphkiln::loadAtlas(reader_test::buildAtlas(ovxDir, config(), false));
    const glyphkiln::Atlas raw = glyphkiln::loadAtlas(reader_test::buildAtlas(rawDir, config(), true));
    {
        SCOPED_TRACE("ovx");
        expectMatchesFreeType(ovx);
    }
    {
        SCOPED_TRACE("raw");
        expectMatchesFreeType(raw);
    }
    EXPECT_EQ(ovx.format, glyphkiln::Format::Container);
    EXPECT_EQ(ovx.namedImageFile, "atlasAtlas.ovx");
    EXPECT_EQ(raw.format, glyphkiln::Format::Raw);
    EXPECT_EQ(raw.imageFile, (rawDir.path() / "atlasAtlas.raw").string());
    EXPECT_EQ(ovx.image.pixels, raw.image.pixels);
    ASSERT_EQ(ovx.sets.size(), raw.sets.size());
    for (std::size_t s = 0; s < ovx.sets.size(); ++s) {
        EXPECT_EQ(ovx.sets[s].name, raw.sets[s].name);
        ASSERT_EQ(ovx.sets[s].glyphs.size(), raw.sets[s].glyphs.size());
        for (std::size_t g = 0; g < ovx.sets[s].glyphs.size(); ++g) {
            const glyphkiln::Glyph& a = ovx.sets[s].glyphs[g];
            const glyphkiln::Glyph& b = raw.sets[s].glyphs[g];
            EXPECT_EQ(std::vector<int>({a.character, a.x, a.y, a.width, a.height, a.left, a.top, a.advance}),
                      std::vector<int>({b.character, b.x, b.y, b.width, b.height, b.left, b.top, b.advance}));
        }
    }
}

// Without padding, neighbouring rectangles touch but must not count as
// overlapping; the image the descriptor names is found beside it even
// when the run named it with a directory.
TEST(ReaderRoundTrip, TouchingRectanglesAndImageNamedWithADirectory) {
    const support_test::ScratchDir dir;
    dir.write("sub/atlas.txt", reader_test::kOutlineFont + " 20\n");
    const e2e::Result run = e2e::runGlyphkiln(dir.path().string(), {"sub/atlas.txt", "0"});
    ASSERT_EQ(run.status, 0) << run.out;
    const glyphkiln::Atlas atlas = glyphkiln::loadAtlas((dir.path() / "sub/atlas.ovx").string());
    EXPECT_EQ(atlas.namedImageFile, "sub/atlasAtlas.ovx");
    EXPECT_EQ(atlas.imageFile, (dir.path() / "sub/atlasAtlas.ovx").string());
    EXPECT_EQ(atlas.sets.at(0).glyphs.size(), 95u);
}

TEST(ReaderRoundTrip, MissingFilesAreNamed) {
    const support_test::ScratchDir dir;
    const std::string missing = (dir.path() / "none.ovx").string();
    EXPECT_THROW(
        {
            try {
                glyphkiln::loadAtlas(missing);
            } catch (const glyphkiln::AtlasError& e) {
                EXPECT_EQ(std::string(e.what()), missing + ": can not be opened for reading");
                throw;
            }
        },
        glyphkiln::AtlasError);
    const std::string descriptor = reader_test::buildAtlas(dir, reader_test::kBitmapFont + " 12 A\n", false);
    std::filesystem::remove(dir.path() / "atlasAtlas.ovx");
    try {
        glyphkiln::loadAtlas(descriptor);
        ADD_FAILURE() << "no error without the image";
    } catch (const glyphkiln::AtlasError& e) {
        EXPECT_EQ(std::string(e.what()), (dir.path() / "atlasAtlas.ovx").string() + ": can not be opened for reading");
    }
}

}  // namespace
