// End-to-end runs of the built program on hostile input. Each refused run
// must print its message and exit with 1 without crashing, hanging or
// taking unbounded memory, and must leave the output of an earlier good
// run in the same place as it was, with no temporary file behind.
// Inputs that are in fact legal must succeed with sane output.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostile/hostile_run.hpp"
#include "support/scratch_dir.hpp"

namespace {

namespace fs = std::filesystem;

const std::string kTiny = GLYPHKILN_TEST_DATA "/hostile/fixtures/tiny.ttf";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Far more than any of these runs needs and far below the machine's 24 GiB:
// a run that exhausts memory goes past it.
constexpr std::uint64_t kPeakLimitKiB = 2u * 1024 * 1024;

std::string repeated(const std::string& text, std::size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) all += text;
    return all;
}

// Every byte but the line feed: the most distinct characters one line holds.
std::string everyByteButLineFeed() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '\n') bytes += static_cast<char>(b);
    }
    return bytes;
}

// One font line per size from 1 to `count`.
std::string sizesOf(const std::string& font, unsigned count, const std::string& characters) {
    std::string lines;
    for (unsigned size = 1; size <= count; ++size) {
        lines += font + " " + std::to_string(size) + " " + characters + "\n";
    }
    return lines;
}

using Files = std::map<std::string, std::string>;  // name: content, or "<dir>"

class HostileInput : public ::testing::Test {
protected:
    std::string dir() const { return scratch.path().string(); }
    std::string config() const { return (scratch.path() / "atlas.txt").string(); }

    std::string imageName(bool raw) const { return raw ? "atlasAtlas.raw" : "atlasAtlas.ovx"; }
    std::string descriptorName(bool raw) const { return raw ? "atlasAscii.txt" : "atlas.ovx"; }

    // Everything in the directory but the configuration.
    Files snapshot() const {
        Files files;
        for (const auto& entry : fs::directory_iterator(scratch.path())) {
            const std::string name = entry.path().filename().string();
            if (name == "atlas.txt") continue;
            files[name] = entry.is_directory() ? "<dir>" : support_test::readBytes(entry.path());
        }
        return files;
    }

    // A good run of a small font, whose output the hostile run must keep.
    Files writeGoodOutput(bool raw) {
        scratch.write("atlas.txt", kTiny + " 12 ABo\n");
        std::vector<std::string> arguments{"atlas.txt", "1"};
        if (raw) arguments.push_back("raw");
        const hostile::Outcome good = hostile::run(dir(), arguments);
        EXPECT_EQ(good.status, 0) << good.out;
        const Files files = snapshot();
        EXPECT_EQ(files.count(imageName(raw)), 1u);
        EXPECT_EQ(files.count(descriptorName(raw)), 1u);
        return files;
    }

    hostile::Outcome runOn(const std::string& configuration, const std::string& padding, bool raw,
                           const hostile::Limits& limits = {}) {
        scratch.write("atlas.txt", configuration);
        std::vector<std::string> arguments{"atlas.txt", padding};
        if (raw) arguments.push_back("raw");
        const hostile::Outcome outcome = hostile::run(dir(), arguments, limits);
        EXPECT_LT(outcome.peakKiB, kPeakLimitKiB);
        return outcome;
    }

    // The failure line, then the empty line the entry prints after it.
    static void expectMessage(const hostile::Outcome& outcome, const std::string& message) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.out.find("\n" + message + "\n\n"), std::string::npos)
            << "expected: " << message.substr(0, 300) << "\nout: " << outcome.out.substr(0, 2000);
    }

    void expectKept(const Files& before) const {
        const Files after = snapshot();
        for (const auto& file : after) {
            EXPECT_EQ(file.first.find(".glyphkiln-"), std::string::npos) << "left behind: " << file.first;
        }
        EXPECT_EQ(after.size(), before.size());
        for (const auto& file : before) {
            const auto found = after.find(file.first);
            ASSERT_NE(found, after.end()) << file.first << " is gone";
            EXPECT_TRUE(found->second == file.second) << file.first << " was changed";
        }
    }

    support_test::ScratchDir scratch;
};

struct Refusal {
    const char* what;
    std::function<std::string()> configuration;
    std::string padding;
    bool raw;
    std::function<std::string()> message;
    bool usage;  // the usage text follows the message
};

TEST_F(HostileInput, RefusedInputsReportTheirMessageAndKeepEarlierOutput) {
    const std::string lastOfManyLines = repeated("// a comment\n", 99999) + "nofield\n";
    const std::string longPath = "/tmp/" + std::string(5u << 20, 'p');
    const std::vector<Refusal> refusals = {
        {"100,000 legal lines, one glyph set each",
         [] { return sizesOf(kTiny, 100000, "\xA0"); }, "0", false,
         [] {
             return std::string("can not create atlas.ovx file because too many font faces stored "
                                "(100000).  ovx v1.0 files only supports up to 255 font faces per file");
         },
         false},
        {"100,000 lines, the last one malformed", [&] { return lastOfManyLines; }, "0", false,
         [] { return std::string("Invalid <configFile> format on line 100000"); }, true},
        {"100,000 copies of one request", [] { return repeated(kTiny + " 12 A\n", 100000); }, "0", true,
         [] { return "loadFontCharacters failed for " + kTiny + ", size 12; this font face & size was already used"; },
         false},
        {"one line of 5 MiB without a blank", [] { return std::string(5u << 20, 'x') + "\n"; }, "0", false,
         [] { return std::string("Invalid <configFile> format on line 1"); }, true},
        {"a font path of 5 MiB", [&] { return longPath + " 12 A\n"; }, "0", false,
         [&] { return "FT_New_Face failed for " + longPath + ", size 12"; }, false},
        {"invalid UTF-8 in the path", [] { return std::string("bad\xFF\xFE\xC3(.ttf 12 A\n"); }, "0", false,
         [] { return std::string("FT_New_Face failed for bad\xFF\xFE\xC3(.ttf, size 12"); }, false},
        {"invalid UTF-8 in the size", [] { return kTiny + " 12\xC3 A\n"; }, "0", false,
         [] { return std::string("zor::Utility::convertToUnsigned Bad conversion of [12\xC3] to unsigned"); },
         false},
        {"a directory as the font", [] { return std::string("fonts.d 12 A\n"); }, "0", false,
         [] { return std::string("FT_New_Face failed for fonts.d, size 12"); }, false},
        {"an empty font file", [] { return std::string("empty.ttf 12 A\n"); }, "0", false,
         [] { return std::string("FT_New_Face failed for empty.ttf, size 12"); }, false},
        {"/dev/null as the font", [] { return std::string("/dev/null 12 A\n"); }, "0", true,
         [] { return std::string("FT_New_Face failed for /dev/null, size 12"); }, false},
        {"a truncated TrueType file", [] { return std::string("truncated.ttf 12 A\n"); }, "0", false,
         [] { return std::string("FT_New_Face failed for truncated.ttf, size 12"); }, false},
        {"a text file as the font", [] { return std::string("text.ttf 12 A\n"); }, "0", false,
         [] { return std::string("FT_New_Face failed for text.ttf, size 12"); }, false},
        {"pixel size 4294967295", [] { return kDejaVu + " 4294967295\n"; }, "0", false,
         [] { return "FT_Load_Char failed for " + kDejaVu + ", size 4294967295 character !"; }, false},
        {"pixel size 100000", [] { return kDejaVu + " 100000\n"; }, "0", false,
         [] { return "FT_Load_Char failed for " + kDejaVu + ", size 100000 character !"; }, false},
        {"padding 4294967295", [] { return kTiny + " 12 ABo\n"; }, "4294967295", false,
         [] {
             return std::string("can not create atlasAtlas.ovx file because the atlas of "
                                "8589934592x12884901909 pixels is larger than the 65536x65536 "
                                "pixels an atlas may have");
         },
         false},
        {"256 glyph sets", [] { return sizesOf(kTiny, 256, "AB"); }, "0", false,
         [] {
             return std::string("can not create atlas.ovx file because too many font faces stored "
                                "(256).  ovx v1.0 files only supports up to 255 font faces per file");
         },
         false},
        {"256 glyph sets, raw", [] { return sizesOf(kTiny, 256, "AB"); }, "0", true,
         [] {
             return std::string("can not create atlasAscii.txt file because too many font faces stored "
                                "(256).  ovx v1.0 files only supports up to 255 font faces per file");
         },
         false},
    };

    fs::create_directory(scratch.path() / "fonts.d");
    scratch.write("empty.ttf", "");
    scratch.write("text.ttf", "This is not a font.\n");
    scratch.write("truncated.ttf", support_test::readBytes(kDejaVu).substr(0, 5000));

    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        const Files before = writeGoodOutput(refusal.raw);
        const hostile::Outcome outcome = runOn(refusal.configuration(), refusal.padding, refusal.raw);
        expectMessage(outcome, refusal.message());
        EXPECT_EQ(outcome.out.find("Usage: Glyphkiln") != std::string::npos, refusal.usage);
        EXPECT_EQ(outcome.out.find("Saving "), std::string::npos);
        expectKept(before);
    }
}

// A NUL byte ends the path as FreeType sees it; the font before it must not
// be opened in its place, and the message names the whole path, NUL included.
TEST_F(HostileInput, NulByteInsidePathIsNotCutToAnotherFont) {
    const Files before = writeGoodOutput(false);
    const hostile::Outcome outcome = runOn(kTiny + std::string("\0junk 12 A\n", 11), "0", false);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("\nFT_New_Face failed for " + kTiny + std::string("\0junk, size 12\n\n", 16)),
              std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.out.find("Sorting glyphs"), std::string::npos);
    expectKept(before);
}

// Configuration "files" that are no text files: an endless one is refused
// once it passes the size any configuration could have, instead of being
// read until memory runs out; a directory cannot be read at all.
TEST_F(HostileInput, ConfigurationThatIsEndlessOrADirectoryIsRefused) {
    const Files before = writeGoodOutput(false);
    const hostile::Outcome endless = hostile::run(dir(), {"/dev/zero", "0"});
    expectMessage(endless, "File [/dev/zero] zor::TextFileReader::readLine the file is larger than "
                           "268435456 bytes");
    EXPECT_LT(endless.peakKiB, kPeakLimitKiB);

    fs::create_directory(scratch.path() / "config.d");
    const hostile::Outcome directory = hostile::run(dir(), {"config.d", "0"});
    expectMessage(directory,
                  "File [config.d] zor::TextFileReader::TextFileReader can not open file for reading");
    fs::remove(scratch.path() / "config.d");
    expectKept(before);
}

// Inputs that look hostile but are legal: the run succeeds and its output
// is sane.
TEST_F(HostileInput, LegalExtremesSucceed) {
    struct Legal {
        const char* what;
        std::string configuration;
        std::size_t glyphs;  // in the "N glyphs" line
        std::size_t sets;
    };
    const std::vector<Legal> cases = {
        {"every byte but the line feed: 255 characters", kTiny + " 4 " + everyByteButLineFeed() + "\n", 255, 1},
        {"5 MiB of characters", kTiny + " 12 " + repeated("ABo", 2000000) + "\n", 3, 1},
        {"NUL and invalid UTF-8 among the characters", kTiny + std::string(" 12 A\0\xFF\xC3o\n", 10), 5, 1},
        {"255 glyph sets", sizesOf(kTiny, 255, "AB"), 510, 255},
        {"a TrueType file cut in its last tables", "cut.ttf 12 Ab\n", 2, 1},
    };
    const std::string dejavu = support_test::readBytes(kDejaVu);
    ASSERT_GT(dejavu.size(), 700000u);
    scratch.write("cut.ttf", dejavu.substr(0, 700000));  // glyphs and metrics are whole

    for (const Legal& legal : cases) {
        SCOPED_TRACE(legal.what);
        const hostile::Outcome outcome = runOn(legal.configuration, "1", false);
        EXPECT_EQ(outcome.status, 0) << outcome.out.substr(0, 2000);
        EXPECT_NE(outcome.out.find("\n" + std::to_string(legal.glyphs) + " glyphs\n"), std::string::npos);
        const std::string descriptor = support_test::readBytes(scratch.path() / "atlas.ovx");
        ASSERT_GT(descriptor.size(), 156u);
        EXPECT_EQ(static_cast<unsigned char>(descriptor[156]), legal.sets);
        const std::size_t firstCount = 157 + 128;
        ASSERT_GT(descriptor.size(), firstCount);
        if (legal.sets == 1) {
            EXPECT_EQ(static_cast<unsigned char>(descriptor[firstCount]), legal.glyphs);
            EXPECT_EQ(descriptor.size(), 157 + 129 + 15 * legal.glyphs);
        }
        for (const auto& entry : fs::directory_iterator(scratch.path())) {
            EXPECT_EQ(entry.path().filename().string().find(".glyphkiln-"), std::string::npos);
        }
    }
}

// Output that cannot be written: a directory where the image goes, and a
// directory that the run may not write into.
TEST_F(HostileInput, UnwritableOutputIsReportedAndKeepsEarlierOutput) {
    {
        SCOPED_TRACE("a directory in place of the image file");
        writeGoodOutput(false);
        fs::remove(scratch.path() / "atlasAtlas.ovx");
        fs::create_directory(scratch.path() / "atlasAtlas.ovx");
        const Files before = snapshot();
        const hostile::Outcome outcome = runOn(kTiny + " 12 ABo\n", "2", false);
        expectMessage(outcome, "can not create atlasAtlas.ovx file because it could not be opened for writing");
        expectKept(before);
        fs::remove(scratch.path() / "atlasAtlas.ovx");
    }
    {
        SCOPED_TRACE("a directory the run may not write into");
        const Files before = writeGoodOutput(true);
        // The program and the font are copied in, so that the unprivileged
        // run reaches them wherever the build tree lies.
        const fs::path program = scratch.path() / "glyphkiln";
        const fs::path font = scratch.path() / "tiny.ttf";
        fs::copy_file(GLYPHKILN_BINARY, program);
        fs::copy_file(kTiny, font);
        fs::permissions(program, fs::perms(0755));
        fs::permissions(font, fs::perms(0644));
        scratch.write("atlas.txt", "tiny.ttf 12 ABo\n");
        fs::permissions(scratch.path() / "atlas.txt", fs::perms(0644));
        const Files withInputs = snapshot();
        ::chmod(scratch.path().c_str(), 0555);
        hostile::Limits limits;
        limits.unprivileged = true;  // root could write there all the same
        limits.program = program.string();
        const hostile::Outcome outcome = hostile::run(dir(), {"atlas.txt", "2", "raw"}, limits);
        ::chmod(scratch.path().c_str(), 0700);
        if (outcome.status == hostile::kCannotEnterDirectory) {
            GTEST_SKIP() << "an unprivileged process cannot reach " << dir();
        }
        expectMessage(outcome, "can not create atlasAtlas.raw file because it could not be opened for writing");
        expectKept(withInputs);
        EXPECT_TRUE(before.at("atlasAtlas.raw") == withInputs.at("atlasAtlas.raw"));
    }
}

// A file system that fills up while the output is written, as a limit on
// the size of the files the process may write: once before the image is
// complete, and once when only the descriptor no longer fits. Neither
// earlier file may change in either case.
TEST_F(HostileInput, FileSystemFullDuringTheWriteKeepsEarlierOutput) {
    struct Full {
        const char* what;
        std::string configuration;
        bool raw;
        std::uint64_t limit;
        std::string message;
    };
    // DejaVu's default set at 24 pixels needs an image far above 4096 bytes;
    // the tiny font's 255 characters at 1 pixel give an image of 548 bytes
    // and a descriptor of 4111.
    const std::vector<Full> cases = {
        {"the image does not fit", kDejaVu + " 24\n", false, 4096,
         "can not create atlasAtlas.ovx file because writing to it failed"},
        {"the raw image does not fit", kDejaVu + " 24\n", true, 4096,
         "can not create atlasAtlas.raw file because writing to it failed"},
        {"only the descriptor does not fit", kTiny + " 1 " + everyByteButLineFeed() + "\n", false, 2000,
         "can not create atlas.ovx file because writing to it failed"},
    };
    for (const Full& full : cases) {
        SCOPED_TRACE(full.what);
        const Files before = writeGoodOutput(full.raw);
        hostile::Limits limits;
        limits.fileSizeBytes = full.limit;
        const hostile::Outcome outcome = runOn(full.configuration, "0", full.raw, limits);
        expectMessage(outcome, full.message);
        expectKept(before);
    }
}

}  // namespace
