// Whole runs of the built program over two tiny bitmap fonts, in each
// output mode, compared byte for byte with checked-in expected files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "output/output_fixture.hpp"

namespace e2e_output_test {
namespace {

using output_test::readBytes;
using output_test::ScratchDir;
using output_test::writeBytes;

const std::string kFixtures = std::string(GLYPHKILN_TEST_DATA) + "/e2e_output/fixtures/";
const std::string kExpected = std::string(GLYPHKILN_TEST_DATA) + "/e2e_output/expected/";

// A scratch directory holding the two fonts and the configuration, which
// lists them against registry order (ember.bdf before ash.bdf).
struct Workspace {
    Workspace() {
        for (const char* name : {"ember.bdf", "ash.bdf", "fonts.txt"}) {
            writeBytes(dir / name, readBytes(kFixtures + name));
        }
    }
    // Runs the program in the directory; returns its exit status.
    int run(const std::string& arguments) const {
        const std::string command = "cd '" + dir.path().string() + "' && '" GLYPHKILN_BINARY "' " +
                                    arguments + " > stdout.out";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string stdoutText() const { return readBytes(dir / "stdout.out"); }
    std::string file(const std::string& name) const { return readBytes(dir / name); }

    ScratchDir dir;
};

TEST(EndToEndOutput, RawRunWritesImageAndGlyphText) {
    const Workspace work;
    ASSERT_EQ(work.run("fonts.txt 1 raw"), 0);
    EXPECT_EQ(work.stdoutText(), readBytes(kExpected + "stdout-raw.txt"));
    EXPECT_EQ(work.file("fontsAtlas.raw"), readBytes(kExpected + "fontsAtlas.raw"));
    EXPECT_EQ(work.file("fontsAscii.txt"), readBytes(kExpected + "fontsAscii.txt"));
    EXPECT_EQ(work.dir.entries(), (std::set<std::string>{"ember.bdf", "ash.bdf", "fonts.txt",
                                                         "stdout.out", "fontsAtlas.raw",
                                                         "fontsAscii.txt"}));
}

TEST(EndToEndOutput, ContainerRunWritesTheTwoOvxFiles) {
    const Workspace work;
    ASSERT_EQ(work.run("fonts.txt 1"), 0);
    EXPECT_EQ(work.stdoutText(), readBytes(kExpected + "stdout-container.txt"));
    EXPECT_EQ(work.file("fontsAtlas.ovx"), readBytes(kExpected + "fontsAtlas.ovx"));
    EXPECT_EQ(work.file("fonts.ovx"), readBytes(kExpected + "fonts.ovx"));
    EXPECT_EQ(work.dir.entries(), (std::set<std::string>{"ember.bdf", "ash.bdf", "fonts.txt",
                                                         "stdout.out", "fontsAtlas.ovx",
                                                         "fonts.ovx"}));
}

// The output of a successful run up to its first "Saving " line.
std::string progressOf(const std::string& expectedStdout) {
    return expectedStdout.substr(0, expectedStdout.find("Saving "));
}

TEST(EndToEndOutput, RefusedRunKeepsEarlierOutput) {
    Workspace work;
    ASSERT_EQ(work.run("fonts.txt 1 raw"), 0);
    // The same fonts, one now with a family name too long for its field.
    const std::string longFamily(120, 'F');
    std::string ember = readBytes(kFixtures + "ember.bdf");
    const std::string family = "FAMILY_NAME \"Kiln Ember\"";
    ember.replace(ember.find(family), family.size(), "FAMILY_NAME \"" + longFamily + "\"");
    writeBytes(work.dir / "ember.bdf", ember);

    EXPECT_EQ(work.run("fonts.txt 1 raw"), 1);
    const std::string setName = longFamily + "Regular6";
    std::string expected = progressOf(readBytes(kExpected + "stdout-raw.txt"));
    expected.replace(expected.find("Kiln EmberRegular6"), 18, setName);
    expected += "can not create fontsAscii.txt file because the font face name " + setName +
                " is longer than 127 bytes\n\n";
    EXPECT_EQ(work.stdoutText(), expected);
    EXPECT_EQ(work.file("fontsAtlas.raw"), readBytes(kExpected + "fontsAtlas.raw"));
    EXPECT_EQ(work.file("fontsAscii.txt"), readBytes(kExpected + "fontsAscii.txt"));
    EXPECT_EQ(work.dir.entries().size(), 6u);  // no temporary file
}

TEST(EndToEndOutput, UnwritableOutputFailsTheRun) {
    const Workspace work;
    std::filesystem::create_directory(work.dir / "fonts.ovx");  // takes the descriptor's name
    EXPECT_EQ(work.run("fonts.txt 1"), 1);
    EXPECT_EQ(work.stdoutText(),
              readBytes(kExpected + "stdout-container.txt") +
                  "can not create fonts.ovx file because it could not be opened for writing\n\n");
    EXPECT_TRUE(std::filesystem::is_directory(work.dir / "fonts.ovx"));
    // Neither file replaces anything unless both could be written.
    EXPECT_FALSE(std::filesystem::exists(work.dir / "fontsAtlas.ovx"));
    EXPECT_EQ(work.dir.entries().size(), 5u);  // no temporary file
}

}  // namespace
}  // namespace e2e_output_test
