#include "app/run.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.hpp"

namespace {

struct BaseNameCase {
    std::string configFile;
    std::string baseName;
};

class BaseName : public ::testing::TestWithParam<BaseNameCase> {};

TEST_P(BaseName, CutsBeforeTheLastDot) {
    EXPECT_EQ(baseNameOf(GetParam().configFile), GetParam().baseName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BaseName,
    ::testing::Values(BaseNameCase{"fonts/latin.txt", "fonts/latin"},
                      BaseNameCase{"fonts/set.old/latin", "fonts/set"},
                      BaseNameCase{"latin", "latin"}, BaseNameCase{"latin.cfg.txt", "latin.cfg"},
                      BaseNameCase{"/tmp/x/latin.", "/tmp/x/latin"}));

std::string runOn(const std::vector<std::string>& arguments, bool terminal, int& status) {
    std::ostringstream out;
    console::Console console(out, terminal);
    status = runGlyphkiln(arguments, console);
    return out.str();
}

// The usage text with the colour change before each of its coloured parts.
std::string colouredUsage() {
    return "\x1b[93;49mUsage: Glyphkiln <configFile.txt> <#> [raw]\n"
           "\x1b[96;49m\twhere <configFile.txt> contains the following data:\n\n"
           "\x1b[93;49mc:/Windows/Fonts/arial.ttf 15 abcdefg\n\n"
           "\x1b[96;49m\tEach line of text in the configFile must contain a file path to the\n"
           "\tfont to use, and the size of the font in pixels.  The characters after\n"
           "\tthe font size are optional, but if present then only those characters\n"
           "\twill be exported to the font atlas file.\n\n"
           "\tThe <#> following the configFile.txt indicates how much padding should\n"
           "\tbe placed between each font glyph in the atlas.\n\n"
           "\tIf the optional raw tag is used then instead of generating ovx files\n"
           "\tan ascii text file will be created which contains all the font glyph\n"
           "\tinfomation that is stored in the atlas. The texture atlas will be a\n"
           "\tplain raw image with an 8 byte header indicating the texture atlas\n"
           "\twidth and height.\n\n";
}

const std::string kColouredBanner = "\x1b]0;Glyphkiln v1.0\x07\x1b[97;49m\nGlyphkiln v1.0\n\n";

TEST(Run, UsageFailureOnATerminalIsColouredRowByRow) {
    int status = -1;
    const std::string out = runOn({}, true, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, kColouredBanner + "\x1b[97;101mInvalid usage.\n\n" + colouredUsage() + "\x1b[0m");
}

TEST(Run, OtherFailureOnATerminalHasNoUsageText) {
    const support_test::ScratchDir dir;
    const std::string config = dir.write("fonts.txt", "a.ttf 12\n");
    int status = -1;
    const std::string out = runOn({config, "abc"}, true, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, kColouredBanner + "\x1b[97;101minvalid stoul argument\n\n\x1b[0m");
}

TEST(Run, ConfigurationIsReadBeforeThePaddingIsConverted) {
    const support_test::ScratchDir dir;
    int status = -1;
    const std::string missing = (dir.path() / "none.txt").string();
    EXPECT_EQ(runOn({missing, "abc", "raw"}, false, status),
              "\nGlyphkiln v1.0\n\nFile [" + missing +
                  "] zor::TextFileReader::TextFileReader can not open file for reading\n\n");
    EXPECT_EQ(status, 1);
}

}  // namespace
