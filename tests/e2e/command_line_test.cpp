// End-to-end runs of the built program: standard output is a file, so it
// holds exactly the plain text, and the exit status is the program's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/run_binary.hpp"
#include "support/scratch_dir.hpp"
#include "support/usage_text.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::runGlyphkiln;
using support_test::ScratchDir;

const std::string kBanner = "\nGlyphkiln v1.0\n\n";

using support_test::kUsage;

const std::string kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The failure report: banner, message, empty line, and the usage text when asked.
std::string failure(const std::string& message, bool usage) {
    return kBanner + message + "\n\n" + (usage ? kUsage : "");
}

// Names of the files in `dir`, sorted.
std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), dir).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Failing {
    const char* what;
    std::string config;  // content of fonts.txt; none when empty
    std::vector<std::string> arguments;
    std::string out;
};

void PrintTo(const Failing& c, std::ostream* out) { *out << c.what; }

class FailingRun : public ::testing::TestWithParam<Failing> {};

TEST_P(FailingRun, PrintsTheReportAndExitsWithOne) {
    const ScratchDir dir;
    if (!GetParam().config.empty()) dir.write("fonts.txt", GetParam().config);
    const e2e::Result result = runGlyphkiln(dir.path().string(), GetParam().arguments);
    EXPECT_EQ(result.out, GetParam().out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 1);
    // Nothing is written beside the configuration.
    const std::vector<std::string> expected =
        GetParam().config.empty() ? std::vector<std::string>{} : std::vector<std::string>{"fonts.txt"};
    EXPECT_EQ(filesIn(dir.path()), expected);
}

const std::string kGood = kFont + " 12 ab\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, FailingRun,
    ::testing::Values(
        Failing{"no arguments", "", {}, failure("Invalid usage.", true)},
        // The configuration file is not even opened.
        Failing{"one argument", "", {"missing.txt"}, failure("Invalid usage.", true)},
        Failing{"four arguments", kGood, {"fonts.txt", "1", "raw", "x"},
                failure("Invalid usage.", true)},
        Failing{"empty configuration", "\n", {"./fonts.txt", "1"},
                failure("Invalid data inside ./fonts.txt. No font information found.", true)},
        Failing{"comments only", "// a\n\n\t\n// b", {"fonts.txt", "abc"},
                failure("Invalid data inside fonts.txt. No font information found.", true)},
        Failing{"missing configuration", "", {"none.txt", "1"},
                failure("File [none.txt] zor::TextFileReader::TextFileReader can not open file "
                        "for reading",
                        false)},
        Failing{"malformed line", "// x\n" + kGood + "oops\n", {"fonts.txt", "1"},
                failure("Invalid <configFile> format on line 3", true)},
        Failing{"bad size", kGood + kFont + " 15px\n", {"fonts.txt", "1"},
                failure("zor::Utility::convertToUnsigned Bad conversion of [15px] to unsigned",
                        false)},
        Failing{"padding abc", kGood, {"fonts.txt", "abc"}, failure("invalid stoul argument", false)},
        Failing{"padding 5px", kGood, {"fonts.txt", "5px", "raw"},
                failure("zor::Utility::convertToUnsigned Bad conversion of [5px] to unsigned", false)},
        Failing{"padding out of range", kGood, {"fonts.txt", "4294967296"},
                failure("stoul argument out of range", false)},
        Failing{"configuration error before a bad padding", "\"" + kFont + " 12\n",
                {"fonts.txt", "abc"}, failure("Missing quote on line 1", false)}));

TEST(CommandLine, ConfigurationThatIsADirectory) {
    const ScratchDir dir;
    fs::create_directory(dir.path() / "fonts.txt");
    const e2e::Result result = runGlyphkiln(dir.path().string(), {"fonts.txt", "1"});
    EXPECT_EQ(result.out,
              failure("File [fonts.txt] zor::TextFileReader::TextFileReader can not open file for reading",
                      false));
    EXPECT_EQ(result.status, 1);
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(CommandLine, SuccessfulRunsWriteBesideTheConfiguration) {
    ASSERT_TRUE(fs::exists(kFont)) << kFont << " missing: run scripts/install-deps";
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> written;
    };
    // Only exactly "raw" selects the raw files; any other third word is ignored.
    const std::vector<Case> cases = {
        {{"sets/latin.txt", "2"}, {"sets/latin.ovx", "sets/latinAtlas.ovx"}},
        {{"sets/latin.txt", "0", "RAW"}, {"sets/latin.ovx", "sets/latinAtlas.ovx"}},
        {{"sets/latin.txt", "+1", "raw2"}, {"sets/latin.ovx", "sets/latinAtlas.ovx"}},
        {{"sets/latin.txt", "1", "raw"}, {"sets/latinAscii.txt", "sets/latinAtlas.raw"}},
    };
    for (const Case& c : cases) {
        const ScratchDir dir;
        dir.write("sets/latin.txt", "// two sizes of one face\r\n" + kFont + " 12 abc\r\n\"" +
                                        kFont + "\" 20\r\n");
        const e2e::Result result = runGlyphkiln(dir.path().string(), c.arguments);
        EXPECT_EQ(result.status, 0) << result.out;
        EXPECT_EQ(result.err, "");
        EXPECT_TRUE(startsWith(result.out, kBanner)) << result.out;
        for (const std::string& file : c.written) {
            EXPECT_NE(result.out.find("Saving " + file + "\n"), std::string::npos) << result.out;
        }
        std::vector<std::string> expected = c.written;
        expected.push_back("sets/latin.txt");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(filesIn(dir.path()), expected);
    }
}

TEST(CommandLine, FailureOnALaterFontWritesNothing) {
    const ScratchDir dir;
    dir.write("fonts.txt", kGood + "missing.ttf 12\n");
    const e2e::Result result = runGlyphkiln(dir.path().string(), {"fonts.txt", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(startsWith(result.out, kBanner));
    EXPECT_NE(result.out.find("missing.ttf"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Usage:"), std::string::npos);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"fonts.txt"});
}

TEST(CommandLine, TerminalGetsTitleColoursAndAFinalReset) {
    const ScratchDir dir;
    const e2e::Result result = e2e::runGlyphkilnOnTerminal(dir.path().string(), {});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(startsWith(result.out, "\x1b]0;Glyphkiln v1.0\x07\x1b[97;49m\r\nGlyphkiln v1.0\r\n"))
        << result.out;
    EXPECT_NE(result.out.find("\x1b[97;101mInvalid usage.\r\n"), std::string::npos);
    const std::string reset = "\x1b[0m";
    ASSERT_GE(result.out.size(), reset.size());
    EXPECT_EQ(result.out.substr(result.out.size() - reset.size()), reset);
}

}  // namespace
