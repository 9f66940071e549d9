#include "app/run.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.hpp"
#include "support/usage_text.hpp"

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
    using namespace support_test;
    return "\x1b[93;49m" + kUsageLine + "\x1b[96;49m" + kUsageWhere + "\x1b[93;49m" + kUsageExample +
           "\x1b[96;49m" + kUsageExplanation;
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
