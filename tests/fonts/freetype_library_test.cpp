// FreeTypeLibrary and its registry. The library may be constructed once per
// process, and the registry is process-wide: each test needs a process of
// its own, as CTest gives it.
#include "fonts/freetype_library.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/console.hpp"
#include "fonts/font_fixtures.hpp"
#include "support/scratch_dir.hpp"

namespace {

class Library : public testing::Test {
protected:
    void SetUp() override {
        try {
            library = std::make_unique<FreeTypeLibrary>(1, true, console);
        } catch (const std::runtime_error& error) {
            GTEST_SKIP() << error.what() << ": run this test in a process of its own (ctest)";
        }
    }

    // The message of the failure of `load`, or "" when it succeeds.
    std::string failureOf(const std::string& path, std::uint32_t size,
                          const std::string& characters) {
        try {
            library->loadFontCharacters(path, size, characters);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    }

    static const FontRegistry& registry() { return FreeTypeLibrary::registry(); }

    static std::vector<std::string> visitedNames() {
        std::vector<std::string> names;
        for (const auto& set : setsInVisitingOrder(registry())) names.push_back(set->name);
        return names;
    }

    std::ostringstream text;
    console::Console console{text, false};
    std::unique_ptr<FreeTypeLibrary> library;
};

TEST_F(Library, duplicateRequestFailsAndChangesNothing) {
    const std::string tiny = fixtures::font("kiln-tiny.bdf");
    library->loadFontCharacters(tiny, 8, "A");
    const auto set = registry().at(tiny)->glyphSets.at(8);

    EXPECT_EQ(failureOf(tiny, 8, "ab"),
              "loadFontCharacters failed for " + tiny +
                  ", size 8; this font face & size was already used");
    ASSERT_EQ(registry().size(), 1u);
    ASSERT_EQ(registry().at(tiny)->glyphSets.size(), 1u);
    EXPECT_EQ(registry().at(tiny)->glyphSets.at(8), set);
    ASSERT_EQ(set->glyphs.size(), 1u);
    EXPECT_EQ(set->glyphs[0]->character, 'A');
    EXPECT_EQ(set->name, "Kiln TinyBold8");
}

TEST_F(Library, failuresToOpenOrSizeNameThePathAndSize) {
    const std::string missing = "no/such/font.ttf";
    EXPECT_EQ(failureOf(missing, 12, "A"), "FT_New_Face failed for no/such/font.ttf, size 12");
    // The path's entry exists from the duplicate check on, without a set.
    ASSERT_EQ(registry().count(missing), 1u);
    EXPECT_TRUE(registry().at(missing)->glyphSets.empty());

    const std::string notAFont = fixtures::font("../font_fixtures.hpp");
    EXPECT_EQ(failureOf(notAFont, 8, ""), "FT_New_Face failed for " + notAFont + ", size 8");

    // The bitmap font has an 8 pixel strike only.
    const std::string tiny = fixtures::font("kiln-tiny.bdf");
    EXPECT_EQ(failureOf(tiny, 9, "A"), "FT_Set_Pixel_Sizes failed for " + tiny + ", size 9");
    EXPECT_EQ(registry().at(tiny)->glyphSets.count(9), 0u);
    EXPECT_EQ(failureOf(tiny, 8, "A"), "");
}

TEST_F(Library, visitingOrderIsPathThenSizeWhateverTheRequestOrder) {
    const std::string sans = fixtures::dejavu("DejaVuSans.ttf");
    const std::string serif = fixtures::dejavu("DejaVuSerif.ttf");
    library->loadFontCharacters(serif, 20, "A");
    library->loadFontCharacters(sans, 12, "A");
    library->loadFontCharacters(serif, 10, "A");
    // Size 0 is handed to FreeType as it is and filed under 0.
    library->loadFontCharacters(sans, 0, "A");

    EXPECT_EQ(registry().size(), 2u);
    EXPECT_EQ(registry().at(serif)->glyphSets.size(), 2u);
    EXPECT_EQ(visitedNames(), (std::vector<std::string>{"DejaVu SansBook0", "DejaVu SansBook12",
                                                        "DejaVu SerifBook10",
                                                        "DejaVu SerifBook20"}));
    // Two sizes of one file are two sets with their own glyphs.
    EXPECT_LT(registry().at(serif)->glyphSets.at(10)->glyphs[0]->height,
              registry().at(serif)->glyphSets.at(20)->glyphs[0]->height);
}

TEST_F(Library, pathsAreKeysByteForByteAsUnsignedBytes) {
    const support_test::ScratchDir dir;
    const std::string font = support_test::readBytes(fixtures::font("kiln-tiny.bdf"));
    const std::string base = dir.path().string() + "/";
    // Requested out of order: Latin-1 byte, lower case, upper case, and one
    // file written two ways.
    for (const char* name : {"\xE9.bdf", "z.bdf", "Z.bdf", "zz.bdf"}) dir.write(name, font);
    std::filesystem::create_directory(dir.path() / "sub");
    for (const std::string& path : {base + "\xE9.bdf", base + "z.bdf", base + "Z.bdf",
                                    base + "zz.bdf", base + "sub/../z.bdf"}) {
        library->loadFontCharacters(path, 8, "A");
    }
    std::vector<std::string> keys;
    for (const auto& entry : registry()) keys.push_back(entry.first.substr(base.size()));
    EXPECT_EQ(keys, (std::vector<std::string>{"Z.bdf", "sub/../z.bdf", "z.bdf", "zz.bdf",
                                              "\xE9.bdf"}));
}

TEST_F(Library, equalNamesFromTwoFilesStayTwoSets) {
    const std::string tiny = fixtures::font("kiln-tiny.bdf");
    const std::string twin = fixtures::font("kiln-twin.bdf");
    library->loadFontCharacters(twin, 8, "A");
    library->loadFontCharacters(tiny, 8, "A");
    const auto& tinySet = *registry().at(tiny)->glyphSets.at(8);
    const auto& twinSet = *registry().at(twin)->glyphSets.at(8);
    EXPECT_EQ(tinySet.name, "Kiln TinyBold8");
    EXPECT_EQ(twinSet.name, "Kiln TinyBold8");
    EXPECT_EQ(tinySet.glyphs[0]->width, 5u);
    EXPECT_EQ(twinSet.glyphs[0]->width, 3u);

    const support_test::ScratchDir dir;
    const std::string baseName = (dir.path() / "fonts").string();
    library->createAtlas(baseName);
    // Each set keeps its own glyph in the table; tiny sorts before twin.
    const std::string table = support_test::readBytes(baseName + "Ascii.txt");
    EXPECT_EQ(table,
              "2 fonts\r\n"
              "Font named: Kiln TinyBold8\r\n1 glyphs\r\n"
              "[ A ] xy(0,0) wh(5,7) left(0) top(7) advance(6)\r\n"
              "Font named: Kiln TinyBold8\r\n1 glyphs\r\n"
              "[ A ] xy(6,0) wh(3,3) left(0) top(3) advance(4)\r\n");
}

TEST_F(Library, createAtlasReportsListsCountWidthAndCoverageThenEmptiesTheRegistry) {
    // Padding 1; the nameless face sorts first by path and has no family.
    library->loadFontCharacters(fixtures::font("kiln-tiny.bdf"), 8, "\xE9" "cab");
    library->loadFontCharacters(fixtures::font("kiln-nameless.bdf"), 6, "A");
    EXPECT_EQ(text.str(), "");  // loading prints nothing

    const support_test::ScratchDir dir;
    library->createAtlas((dir.path() / "fonts").string());
    // Sorted A 2x2, 0xE9 2x2, c 10x2, a 4x4, b 3x5; placed b, a, c, 0xE9, A
    // into one row 6 pixels tall; 59 of 64 x 6 pixels hold glyphs.
    const std::string expected =
        "Sorting glyphs...\n"
        "\nRegular6\n A\n"
        "\nKiln TinyBold8\n a b c \xE9\n"
        "5 glyphs\n"
        "Placing glyphs onto 64 pixel wide image atlas\n"
        "Glyphs placed onto 64x6 image atlas with 15.3646% coverage\n";
    EXPECT_EQ(text.str().substr(0, expected.size()), expected);
    EXPECT_TRUE(registry().empty());

    const std::string table = support_test::readBytes((dir.path() / "fontsAscii.txt").string());
    EXPECT_NE(table.find("[ b ] xy(0,0) wh(3,5)"), std::string::npos) << table;
    EXPECT_NE(table.find("[ a ] xy(4,0) wh(4,4)"), std::string::npos) << table;
    EXPECT_NE(table.find("[ c ] xy(9,0) wh(10,2)"), std::string::npos) << table;
    EXPECT_NE(table.find("[ \xE9 ] xy(20,0) wh(2,2)"), std::string::npos) << table;
    EXPECT_NE(table.find("[ A ] xy(23,0) wh(2,2)"), std::string::npos) << table;
}

TEST_F(Library, createAtlasWithoutGlyphs) {
    // Every configured set has glyphs, so only an empty registry gives no
    // glyphs at all: the width comes from the padding alone.
    const support_test::ScratchDir dir;
    library->createAtlas((dir.path() / "fonts").string());
    const std::string expected =
        "Sorting glyphs...\n"
        "0 glyphs\n"
        "Placing glyphs onto 64 pixel wide image atlas\n"
        "Glyphs placed onto 64x0 image atlas with 0% coverage\n";
    EXPECT_EQ(text.str().substr(0, expected.size()), expected);
}

TEST(LibraryColours, createAtlasHighlightsSetNamesAndTheWriters) {
    std::ostringstream text;
    console::Console terminal(text, true);
    std::unique_ptr<FreeTypeLibrary> library;
    try {
        library = std::make_unique<FreeTypeLibrary>(1, true, terminal);
    } catch (const std::runtime_error& error) {
        GTEST_SKIP() << error.what() << ": run this test in a process of its own (ctest)";
    }
    library->loadFontCharacters(fixtures::font("kiln-nameless.bdf"), 6, "A");
    const support_test::ScratchDir dir;
    library->createAtlas((dir.path() / "fonts").string());
    const std::string progress = console::sgrSequence(console::kProgress);
    const std::string highlight = console::sgrSequence(console::kHighlight);
    const std::string expected = progress + "Sorting glyphs...\n" + highlight + "\nRegular6\n" +
                                 progress + " A\n1 glyphs\n" +
                                 "Placing glyphs onto 64 pixel wide image atlas\n" +
                                 "Glyphs placed onto 64x3 image atlas with 2.08333% coverage\n" +
                                 highlight;
    EXPECT_EQ(text.str().substr(0, expected.size()), expected);
}

TEST(LibraryLifetime, secondConstructionFailsBeforeAndAfterTheFirstEnds) {
    std::ostringstream text;
    console::Console console(text, false);
    std::unique_ptr<FreeTypeLibrary> first;
    try {
        first = std::make_unique<FreeTypeLibrary>(0, false, console);
    } catch (const std::runtime_error& error) {
        GTEST_SKIP() << error.what() << ": run this test in a process of its own (ctest)";
    }
    const char* message = "FreeTypeLibrary can only be constructed once";
    try {
        FreeTypeLibrary second(0, false, console);
        FAIL() << "second construction succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), message);
    }
    first.reset();
    try {
        FreeTypeLibrary third(0, false, console);
        FAIL() << "construction after the first ended succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), message);
    }
}

}  // namespace
