#include "app/config_file.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/scratch_dir.hpp"

// Internal linkage: other test files may compare FontInfo records too.
static bool operator==(const FontInfo& a, const FontInfo& b) {
    return a.pixelSize == b.pixelSize && a.fontPath == b.fontPath && a.characters == b.characters;
}

static std::ostream& operator<<(std::ostream& out, const FontInfo& f) {
    return out << "{" << f.pixelSize << ", [" << f.fontPath << "], [" << f.characters << "]}";
}

namespace {

using support_test::ScratchDir;
using Fonts = std::vector<FontInfo>;

FontInfo font(std::uint32_t size, const std::string& path, const std::string& characters = "") {
    FontInfo info;
    info.pixelSize = size;
    info.fontPath = path;
    info.characters = characters;
    return info;
}

// Every line end "\n" of `text` as "\r\n".
std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct GoodFile {
    const char* what;
    std::string content;
    Fonts fonts;
};

void PrintTo(const GoodFile& c, std::ostream* out) { *out << c.what; }

class ConfigAccepted : public ::testing::TestWithParam<GoodFile> {};

TEST_P(ConfigAccepted, GivesTheRecordsInFileOrder) {
    const ScratchDir dir;
    EXPECT_EQ(parseConfigFile(dir.write("lf.txt", GetParam().content)), GetParam().fonts);
    // Carriage return and line feed at each line end read the same.
    EXPECT_EQ(parseConfigFile(dir.write("crlf.txt", withCrLf(GetParam().content))),
              GetParam().fonts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigAccepted,
    ::testing::Values(
        GoodFile{"empty file", "", {}},
        GoodFile{"blanks, tabs and comments only",
                 "\n   \n\t \t\n// a comment\n  \t// indented comment\n//\n",
                 {}},
        GoodFile{"path and size", "fonts/a.ttf 15\n", {font(15, "fonts/a.ttf")}},
        GoodFile{"path, size and characters", "c:/Windows/Fonts/arial.ttf 15 abcdefg",
                 {font(15, "c:/Windows/Fonts/arial.ttf", "abcdefg")}},
        GoodFile{"surrounding white space is trimmed", " \t a.ttf 12 xyz \t \n",
                 {font(12, "a.ttf", "xyz")}},
        GoodFile{"characters keep inner blanks, tabs, quotes and //", "a.ttf 9 a b\t\"c//d\n",
                 {font(9, "a.ttf", "a b\t\"c//d")}},
        GoodFile{"a second blank after the size starts the characters", "a.ttf 9  ab\n",
                 {font(9, "a.ttf", " ab")}},
        GoodFile{"quoted path with blanks", "\"My Fonts/Sample Sans.ttf\" 20 abc\n",
                 {font(20, "My Fonts/Sample Sans.ttf", "abc")}},
        GoodFile{"quoted path is not trimmed", "\" a\tb \" 20\n", {font(20, " a\tb ")}},
        GoodFile{"the character after the closing quote is skipped", "\"a.ttf\"15\n\"b.ttf\"x7\n",
                 {font(5, "a.ttf"), font(7, "b.ttf")}},
        GoodFile{"empty quotes give an empty path", "\"\" 12\n", {font(12, "")}},
        GoodFile{"signed and zero sizes", "a.ttf +15\nb.ttf 0\nc.ttf -1\n",
                 {font(15, "a.ttf"), font(0, "b.ttf"), font(4294967295u, "c.ttf")}},
        GoodFile{"repeated lines all become records", "a.ttf 10\n// x\n\na.ttf 10\na.ttf 20 q\n",
                 {font(10, "a.ttf"), font(10, "a.ttf"), font(20, "a.ttf", "q")}},
        GoodFile{"// after the start of a line is no comment", "a//b.ttf 8 //\n",
                 {font(8, "a//b.ttf", "//")}},
        GoodFile{"bytes pass through unchanged", "f\xC3\xA9.ttf 8 \xE9\xFF\x01\n",
                 {font(8, "f\xC3\xA9.ttf", "\xE9\xFF\x01")}}));

struct BadFile {
    const char* what;
    std::string content;
    std::string message;
    bool showsUsage;
};

void PrintTo(const BadFile& c, std::ostream* out) { *out << c.what; }

class ConfigRefused : public ::testing::TestWithParam<BadFile> {};

TEST_P(ConfigRefused, ReportsTheFirstBadLine) {
    const ScratchDir dir;
    for (const std::string& content : {GetParam().content, withCrLf(GetParam().content)}) {
        const std::string file = dir.write("config.txt", content);
        try {
            parseConfigFile(file);
            FAIL() << "accepted";
        } catch (const UsageError& e) {
            EXPECT_TRUE(GetParam().showsUsage);
            EXPECT_EQ(e.what(), GetParam().message);
        } catch (const std::exception& e) {
            EXPECT_FALSE(GetParam().showsUsage);
            EXPECT_EQ(e.what(), GetParam().message);
        }
    }
}

const std::string kBadConversion = "zor::Utility::convertToUnsigned Bad conversion of [";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigRefused,
    ::testing::Values(
        BadFile{"missing closing quote", "\"a b.ttf 15\n", "Missing quote on line 1", false},
        BadFile{"lone quote", "\"", "Missing quote on line 1", false},
        BadFile{"unquoted line without a blank", "a.ttf\n",
                "Invalid <configFile> format on line 1", true},
        BadFile{"a tab does not separate", "a.ttf\t15\n", "Invalid <configFile> format on line 1",
                true},
        BadFile{"closing quote ends the line", "\"a.ttf\"\n", "invalid string position", false},
        BadFile{"empty quotes alone", "\"\"", "invalid string position", false},
        BadFile{"one character after the closing quote", "\"a.ttf\"x\n", "invalid stoul argument",
                false},
        BadFile{"two blanks before the size", "a.ttf  15\n", "invalid stoul argument", false},
        BadFile{"# is no comment", "# old fonts\n", "invalid stoul argument", false},
        BadFile{"size with a unit", "a.ttf 15px\n", kBadConversion + "15px] to unsigned", false},
        BadFile{"size with a comma", "a.ttf 1,5 ab\n", kBadConversion + "1,5] to unsigned", false},
        BadFile{"size out of range", "a.ttf 4294967296\n", "stoul argument out of range", false},
        BadFile{"comment and blank lines count", "// one\n\n  // three\nbad\n",
                "Invalid <configFile> format on line 4", true},
        BadFile{"good lines before count", "a.ttf 10\n\"b.ttf\" 11 x\nc.ttf 1O\n",
                kBadConversion + "1O] to unsigned", false},
        BadFile{"line numbers go on past 9", std::string(11, '\n') + "\"x\n",
                "Missing quote on line 12", false},
        BadFile{"later lines are not examined", "a.ttf 10\n\"b.ttf 11\nnoblank\n\"c\"\n",
                "Missing quote on line 2", false}));

TEST(ConfigFile, FileThatCannotBeOpened) {
    const ScratchDir dir;
    const std::string name = (dir.path() / "missing.txt").string();
    try {
        parseConfigFile(name);
        FAIL() << "accepted";
    } catch (const UsageError&) {
        FAIL() << "a missing file asks for the usage text";
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), "File [" + name +
                                "] zor::TextFileReader::TextFileReader can not open file for reading");
    }
    EXPECT_THROW(
        {
            try {
                parseConfigFile("");
            } catch (const std::exception& e) {
                EXPECT_STREQ(e.what(), "zor::FileHandler::FileHandler missing filename");
                throw;
            }
        },
        std::exception);
}

TEST(ConfigFile, DirectoryCannotBeOpenedForReading) {
    const ScratchDir dir;
    const std::string name = dir.path().string();
    try {
        parseConfigFile(name);
        FAIL() << "accepted";
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), "File [" + name +
                                "] zor::TextFileReader::TextFileReader can not open file for reading");
    }
}

TEST(ConfigFile, ReadErrorNamesTheFile) {
    // The process's own memory file opens, but reading its first page fails.
    const std::string name = "/proc/self/mem";
    try {
        parseConfigFile(name);
        FAIL() << "accepted";
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), "File [" + name + "] zor::TextFileReader::readLine can not read from file");
    }
}

}  // namespace
