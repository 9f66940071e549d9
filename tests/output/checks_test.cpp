// The limits of the output formats, the order in which they are checked,
// and the grouping of placements into sets.
#include <gtest/gtest.h>

#include <stdexcept>

#include "output/atlas_writer.hpp"
#include "output_fixture.hpp"

namespace output_test {
namespace {

// The refusal message of checkAtlasOutput, or "" when it passes.
std::string refusal(std::uint64_t width, std::uint64_t height, const std::string& baseName,
                    Layout& layout, bool raw) {
    try {
        checkAtlasOutput(width, height, baseName, layout.placements, layout.registryOrder(), raw);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

struct GlyphCase {
    const char* what;
    std::uint32_t width, height;
    std::uint64_t x, y;
    std::int32_t left, top, advance;
    const char* reason;  // after "can not create fontsAscii.txt file because "; "" passes
};

const GlyphCase kGlyphCases[] = {
    {"x + width at the limit", 5, 1, 65530, 0, 0, 0, 0, ""},
    {"x + width past the limit", 6, 1, 65530, 0, 0, 0, 0,
     "X2 texture coordinate (65536) is out of range for [ A ] in Tiny Regular8"},
    {"y + height at the limit", 1, 5, 0, 65530, 0, 0, 0, ""},
    {"y + height past the limit", 1, 6, 0, 65530, 0, 0, 0,
     "Y2 texture coordinate (65536) is out of range for [ A ] in Tiny Regular8"},
    {"x past the limit", 1, 1, 65536, 0, 0, 0, 0,
     "X1 texture coordinate (65536) is out of range for [ A ] in Tiny Regular8"},
    {"y past the limit", 1, 1, 0, 65536, 0, 0, 0,
     "Y1 texture coordinate (65536) is out of range for [ A ] in Tiny Regular8"},
    {"left and top at their limits", 1, 1, 0, 0, -32767, 32767, 0, ""},
    {"left -32768", 1, 1, 0, 0, -32768, 0, 0,
     "Distance from origin to left side (-32768) is out of range for [ A ] in Tiny Regular8"},
    {"left 32768", 1, 1, 0, 0, 32768, 0, 0,
     "Distance from origin to left side (32768) is out of range for [ A ] in Tiny Regular8"},
    {"top -32768", 1, 1, 0, 0, 0, -32768, 0,
     "Distance from origin to top (-32768) is out of range for [ A ] in Tiny Regular8"},
    {"advance at the limit", 1, 1, 0, 0, 0, 0, 65535, ""},
    {"advance 65536", 1, 1, 0, 0, 0, 0, 65536,
     "AdvanceX distance (65536) is out of range for [ A ] in Tiny Regular8"},
    {"advance -1", 1, 1, 0, 0, 0, 0, -1,
     "AdvanceX distance (4294967295) is out of range for [ A ] in Tiny Regular8"},
    {"no pixels: position unchecked", 0, 0, kUnplaced, kUnplaced, 0, 0, 4, ""},
    {"zero height: position unchecked", 9, 0, kUnplaced, kUnplaced, 0, 0, 4, ""},
    {"no pixels: metrics still checked", 0, 0, kUnplaced, kUnplaced, 0, -32768, 4,
     "Distance from origin to top (-32768) is out of range for [ A ] in Tiny Regular8"},
    // Several faults in one glyph: the field written first is named.
    {"x before y", 1, 1, 70000, 70000, -40000, 0, -1,
     "X1 texture coordinate (70000) is out of range for [ A ] in Tiny Regular8"},
    {"y before x2", 70000, 1, 0, 70000, 0, 0, 0,
     "Y1 texture coordinate (70000) is out of range for [ A ] in Tiny Regular8"},
    {"x2 before y2 and metrics", 70000, 70000, 0, 0, -40000, 0, -1,
     "X2 texture coordinate (70000) is out of range for [ A ] in Tiny Regular8"},
    {"y2 before metrics", 1, 70000, 0, 0, -40000, 0, -1,
     "Y2 texture coordinate (70000) is out of range for [ A ] in Tiny Regular8"},
    {"left before top", 1, 1, 0, 0, -40000, 40000, -1,
     "Distance from origin to left side (-40000) is out of range for [ A ] in Tiny Regular8"},
    {"top before advance", 1, 1, 0, 0, 0, 40000, -1,
     "Distance from origin to top (40000) is out of range for [ A ] in Tiny Regular8"},
};

TEST(DescriptorChecks, GlyphFieldRanges) {
    for (const GlyphCase& c : kGlyphCases) {
        SCOPED_TRACE(c.what);
        Layout layout;
        zor::GlyphSet& set = layout.addSet("Tiny Regular8");
        layout.addGlyph(set, 'A', c.width, c.height, c.x, c.y, c.left, c.top, c.advance);
        const std::string expected =
            *c.reason ? std::string("can not create fontsAscii.txt file because ") + c.reason : "";
        EXPECT_EQ(refusal(65536, 65536, "fonts", layout, true), expected);
    }
}

TEST(DescriptorChecks, PassingEdgesAreStoredExactly) {
    Layout layout;
    zor::GlyphSet& set = layout.addSet("Tiny Regular8");
    layout.addGlyph(set, 'A', 5, 6, 65530, 65529, -32767, 32767, 65535);
    layout.addGlyph(set, ' ', 0, 0, kUnplaced, kUnplaced, 0, 0, 4);
    const auto table =
        checkAtlasOutput(65536, 65536, "fonts", layout.placements, layout.registryOrder(), false);
    ASSERT_EQ(table.size(), 1u);
    ASSERT_EQ(table[0].glyphs.size(), 2u);
    const DescriptorGlyph& a = table[0].glyphs[0];
    EXPECT_EQ(a.x, 65530);
    EXPECT_EQ(a.y, 65529);
    EXPECT_EQ(a.width, 5);
    EXPECT_EQ(a.height, 6);
    EXPECT_EQ(a.left, -32767);
    EXPECT_EQ(a.top, 32767);
    EXPECT_EQ(a.advance, 65535);
    const DescriptorGlyph& space = table[0].glyphs[1];
    EXPECT_EQ(space.x, 0);
    EXPECT_EQ(space.y, 0);
    EXPECT_EQ(space.width, 0);
    EXPECT_EQ(space.height, 0);
    EXPECT_EQ(space.advance, 4);
}

TEST(DescriptorChecks, ContainerModeNamesTheDescriptorFile) {
    Layout layout;
    zor::GlyphSet& set = layout.addSet("Tiny Regular8");
    layout.addGlyph(set, 'A', 6, 1, 65530, 0);
    EXPECT_EQ(refusal(64, 1, "out/fonts", layout, false),
              "can not create out/fonts.ovx file because X2 texture coordinate (65536) is out of "
              "range for [ A ] in Tiny Regular8");
}

// `count` sets of one glyph each.
void addSets(Layout& layout, int count) {
    for (int i = 0; i < count; ++i) {
        zor::GlyphSet& set = layout.addSet("Set" + std::to_string(i));
        layout.addGlyph(set, 'A', 1, 1, 0, 0);
    }
}

TEST(DescriptorChecks, SetCountLimit) {
    for (const bool raw : {true, false}) {
        SCOPED_TRACE(raw ? "raw" : "container");
        Layout accepted;
        addSets(accepted, 255);
        EXPECT_EQ(refusal(64, 1, "fonts", accepted, raw), "");

        Layout refused;
        addSets(refused, 256);
        EXPECT_EQ(refusal(64, 1, "fonts", refused, raw),
                  std::string("can not create ") + (raw ? "fontsAscii.txt" : "fonts.ovx") +
                      " file because too many font faces stored (256).  ovx v1.0 files only "
                      "supports up to 255 font faces per file");
    }
}

TEST(DescriptorChecks, GlyphCountLimit) {
    for (const int count : {255, 256}) {
        Layout layout;
        zor::GlyphSet& set = layout.addSet("Tiny Regular8");
        for (int i = 0; i < count; ++i) layout.addGlyph(set, static_cast<char>(i), 0, 0, kUnplaced, kUnplaced);
        EXPECT_EQ(refusal(64, 0, "fonts", layout, false),
                  count == 255 ? ""
                               : "can not create fonts.ovx file because too many font glyphs stored "
                                 "(256) for Tiny Regular8.  ovx v1.0 files only supports up to 255 "
                                 "glyphs per font face");
    }
}

TEST(DescriptorChecks, SetWithoutPlacementsLeft) {
    Layout layout;
    zor::GlyphSet& first = layout.addSet("Tiny Regular8");
    layout.addGlyph(first, 'A', 1, 1, 0, 0);
    layout.addSet("Empty Regular8");
    EXPECT_EQ(refusal(64, 1, "fonts", layout, true),
              "can not create fontsAscii.txt file because could not find glyphs belonging to "
              "Empty Regular8");
}

TEST(DescriptorChecks, NameLengths) {
    const std::string base120(120, 'b');  // + "Atlas.ovx" = 129 bytes
    const std::string base118(118, 'b');  // + "Atlas.ovx" = 127 bytes
    const std::string base119(119, 'b');  // + "Atlas.ovx" = 128 bytes
    struct Case {
        const char* what;
        std::string baseName, setName;
        bool raw;
        std::string expected;
    } cases[] = {
        {"set name of 127 bytes, raw", "fonts", std::string(127, 'n'), true, ""},
        {"set name of 127 bytes, container", "fonts", std::string(127, 'n'), false, ""},
        {"set name of 128 bytes, raw", "fonts", std::string(128, 'n'), true,
         "can not create fontsAscii.txt file because the font face name " + std::string(128, 'n') +
             " is longer than 127 bytes"},
        {"set name of 128 bytes, container", "fonts", std::string(128, 'n'), false,
         "can not create fonts.ovx file because the font face name " + std::string(128, 'n') +
             " is longer than 127 bytes"},
        {"image name of 127 bytes", base118, "Tiny Regular8", false, ""},
        {"image name of 128 bytes", base119, "Tiny Regular8", false,
         "can not create " + base119 + ".ovx file because the image file name " + base119 +
             "Atlas.ovx is longer than 127 bytes"},
        {"long image name, raw mode has no such field", base120, "Tiny Regular8", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Layout layout;
        zor::GlyphSet& set = layout.addSet(c.setName);
        layout.addGlyph(set, 'A', 1, 1, 0, 0);
        EXPECT_EQ(refusal(64, 1, c.baseName, layout, c.raw), c.expected);
    }
}

TEST(DescriptorChecks, AtlasSizeLimit) {
    const std::string tooLarge = " pixels is larger than the 65536x65536 pixels an atlas may have";
    struct Case {
        std::uint64_t width, height;
        bool raw;
        std::string expected;
    } cases[] = {
        {65536, 64, false, ""},
        {65536, 65536, true, ""},
        {64, 67108864, false, ""},  // 64 x 2^26 = 65536 x 65536
        {131072, 1, false,
         "can not create fontsAtlas.ovx file because the atlas of 131072x1" + tooLarge},
        {131072, 1, true, "can not create fontsAtlas.raw file because the atlas of 131072x1" + tooLarge},
        {65536, 65537, true,
         "can not create fontsAtlas.raw file because the atlas of 65536x65537" + tooLarge},
        {64, 67108865, false,
         "can not create fontsAtlas.ovx file because the atlas of 64x67108865" + tooLarge},
        // A height whose product with the width would wrap in 64 bits.
        {64, 0x0400000000000001u, false,
         "can not create fontsAtlas.ovx file because the atlas of 64x288230376151711745" + tooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Layout layout;
        EXPECT_EQ(refusal(c.width, c.height, "fonts", layout, c.raw), c.expected);
    }
}

TEST(DescriptorChecks, FirstFailingCheckWins) {
    const std::string longName(128, 'n');
    const std::string longBase(119, 'b');
    const std::string tooLarge = " pixels is larger than the 65536x65536 pixels an atlas may have";
    // Each layout breaks several limits; the reason must be that of the
    // earliest check.
    struct Case {
        const char* what;
        std::uint64_t width;
        std::string baseName;
        int extraSets;
        bool longFirstName, manyGlyphs, badField, secondSetLongName;
        std::string reason;
    } cases[] = {
        {"atlas size first", 131072, longBase, 256, true, true, true, true,
         "can not create " + longBase + "Atlas.ovx file because the atlas of 131072x1" + tooLarge},
        {"image name before set count", 64, longBase, 256, true, true, true, true,
         "can not create " + longBase + ".ovx file because the image file name " + longBase +
             "Atlas.ovx is longer than 127 bytes"},
        {"set count before set names", 64, "fonts", 256, true, true, true, true,
         "can not create fonts.ovx file because too many font faces stored (258).  ovx v1.0 files "
         "only supports up to 255 font faces per file"},
        {"set name before glyph count", 64, "fonts", 0, true, true, true, true,
         "can not create fonts.ovx file because the font face name " + longName +
             " is longer than 127 bytes"},
        {"glyph count before fields", 64, "fonts", 0, false, true, true, true,
         "can not create fonts.ovx file because too many font glyphs stored (257) for "
         "First Regular8.  ovx v1.0 files only supports up to 255 glyphs per font face"},
        {"a set's fields before a later set's name", 64, "fonts", 0, false, false, true, true,
         "can not create fonts.ovx file because AdvanceX distance (4294967295) is out of range "
         "for [ Z ] in First Regular8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Layout layout;
        zor::GlyphSet& first = layout.addSet(c.longFirstName ? longName : "First Regular8");
        layout.addGlyph(first, 'A', 1, 1, 0, 0);
        layout.addGlyph(first, 'Z', 1, 1, 1, 0, 0, 0, c.badField ? -1 : 1);
        if (c.manyGlyphs) {
            for (int i = 0; i < 255; ++i) layout.addGlyph(first, 'm', 0, 0, kUnplaced, kUnplaced);
        }
        zor::GlyphSet& second = layout.addSet(c.secondSetLongName ? longName : "Second Regular8");
        layout.addGlyph(second, 'B', 1, 1, 2, 0);
        addSets(layout, c.extraSets);
        EXPECT_EQ(refusal(c.width, 1, c.baseName, layout, false), c.reason);
    }
}

TEST(Grouping, ExchangeExample) {
    // B1 N1 B2 N2 B3 becomes B1 B3 B2 N2 N1; the run is B1 B3 B2.
    std::vector<std::string> range = {"B1", "N1", "B2", "N2", "B3"};
    const auto runEnd = groupPlacements(range.begin(), range.end(),
                                        [](const std::string& p) { return p[0] == 'B'; });
    EXPECT_EQ(range, (std::vector<std::string>{"B1", "B3", "B2", "N2", "N1"}));
    EXPECT_EQ(runEnd - range.begin(), 3);
}

TEST(Grouping, EdgesOfTheRange) {
    const auto isB = [](const std::string& p) { return p[0] == 'B'; };
    struct Case {
        std::vector<std::string> before, after;
        int run;
    } cases[] = {
        {{}, {}, 0},
        {{"B1", "B2"}, {"B1", "B2"}, 2},
        {{"N1", "N2"}, {"N1", "N2"}, 0},
        {{"N1", "B1"}, {"B1", "N1"}, 1},
        {{"N1", "N2", "B1", "B2"}, {"B2", "B1", "N2", "N1"}, 2},
        {{"B1", "N1", "N2", "B2", "N3"}, {"B1", "B2", "N2", "N1", "N3"}, 2},
    };
    for (Case& c : cases) {
        const auto runEnd = groupPlacements(c.before.begin(), c.before.end(), isB);
        EXPECT_EQ(c.before, c.after);
        EXPECT_EQ(runEnd - c.before.begin(), c.run);
    }
}

TEST(Grouping, DescriptorFollowsTheExchangeAndRegistryOrder) {
    // Placements in sorted order B1 N1 B2 N2 B3; set B is first in the
    // registry, so its lines come out as B1 B3 B2 and N's as N2 N1.
    Layout layout;
    zor::GlyphSet& b = layout.addSet("B Regular8");
    zor::GlyphSet& n = layout.addSet("N Regular8");
    layout.addGlyph(b, '1', 1, 1, 0, 0);
    layout.addGlyph(n, 'a', 1, 1, 1, 0);
    layout.addGlyph(b, '2', 1, 1, 2, 0);
    layout.addGlyph(n, 'b', 1, 1, 3, 0);
    layout.addGlyph(b, '3', 1, 1, 4, 0);
    const auto table =
        checkAtlasOutput(64, 1, "fonts", layout.placements, layout.registryOrder(), true);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].name, "B Regular8");
    EXPECT_EQ(table[1].name, "N Regular8");
    std::string order;
    for (const auto& set : table) {
        for (const auto& g : set.glyphs) order += static_cast<char>(g.character);
        order += '|';
    }
    EXPECT_EQ(order, "132|ba|");
    // The placements array itself was reordered the same way.
    std::string array;
    for (const auto& p : layout.placements) array += static_cast<char>(p.glyph->character);
    EXPECT_EQ(array, "132ba");
}

TEST(Grouping, SetsOfEqualNamesKeepTheirOwnGlyphs) {
    Layout layout;
    zor::GlyphSet& first = layout.addSet("Twin Regular8");
    zor::GlyphSet& second = layout.addSet("Twin Regular8");
    layout.addGlyph(second, 'x', 1, 1, 0, 0);
    layout.addGlyph(first, 'a', 1, 1, 1, 0);
    layout.addGlyph(second, 'y', 1, 1, 2, 0);
    const auto table =
        checkAtlasOutput(64, 1, "fonts", layout.placements, layout.registryOrder(), false);
    ASSERT_EQ(table.size(), 2u);
    ASSERT_EQ(table[0].glyphs.size(), 1u);
    EXPECT_EQ(table[0].glyphs[0].character, 'a');
    ASSERT_EQ(table[1].glyphs.size(), 2u);
    EXPECT_EQ(table[1].glyphs[0].character, 'x');
    EXPECT_EQ(table[1].glyphs[1].character, 'y');
}

}  // namespace
}  // namespace output_test
