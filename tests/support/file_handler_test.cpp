#include "support/file_handler.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_dir.hpp"

namespace {

using support_test::ScratchDir;

struct DirectoryCase {
    std::string name;
    std::string directory;
};

class FileHandlerDirectory : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(FileHandlerDirectory, IsTheTextBeforeTheLastSeparator) {
    const zor::FileHandler handler(GetParam().name);
    EXPECT_EQ(handler.getDirectory(), GetParam().directory);
    EXPECT_EQ(handler.getFileName(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileHandlerDirectory,
    ::testing::Values(DirectoryCase{"fonts/list.txt", "fonts"},
                      DirectoryCase{"C:\\data\\list.txt", "C:\\data"},
                      DirectoryCase{"list.txt", ""}, DirectoryCase{"/list.txt", ""},
                      DirectoryCase{"a\\b/c.txt", "a\\b"}, DirectoryCase{"a/b\\c.txt", "a/b"},
                      DirectoryCase{"fonts/sub/", "fonts/sub"}, DirectoryCase{"/", ""}));

TEST(FileHandler, EmptyNameFailsBeforeAnythingIsOpened) {
    for (int derived = 0; derived < 2; ++derived) {
        try {
            if (derived) {
                zor::TextFileReader reader("");
            } else {
                zor::FileHandler handler("");
            }
            FAIL() << "an empty name was accepted";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "zor::FileHandler::FileHandler missing filename");
        }
    }
}

TEST(TextFileReader, MissingFileIsNamedExactlyAsPassed) {
    const ScratchDir dir;
    const std::string name = (dir.path() / "no such dir" / ".." / "list.txt").string();
    try {
        zor::TextFileReader reader(name);
        FAIL() << "a missing file was opened";
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), "File [" + name +
                                "] zor::TextFileReader::TextFileReader can not open file for reading");
    }
}

std::vector<std::string> allLines(const std::string& file) {
    zor::TextFileReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line)) lines.push_back(line);
    return lines;
}

TEST(TextFileReader, SplitsAtLineFeedsOnly) {
    const ScratchDir dir;
    using Lines = std::vector<std::string>;
    // A final line end yields one last, empty line; a last line without one
    // is read like any other; carriage returns are left for the trimming.
    EXPECT_EQ(allLines(dir.write("a.txt", "one\ntwo\n")), (Lines{"one", "two", ""}));
    EXPECT_EQ(allLines(dir.write("b.txt", "one\ntwo")), (Lines{"one", "two"}));
    EXPECT_EQ(allLines(dir.write("c.txt", "one\r\n\r\ntwo\r")), (Lines{"one\r", "\r", "two\r"}));
    EXPECT_EQ(allLines(dir.write("d.txt", "")), (Lines{""}));
    EXPECT_EQ(allLines(dir.write("e.txt", std::string("a\0b\nc", 5))),
              (Lines{std::string("a\0b", 3), "c"}));
    const std::string longLine(100000, 'x');
    EXPECT_EQ(allLines(dir.write("f.txt", longLine + "\n")), (Lines{longLine, ""}));
}

TEST(TextFileReader, ReadErrorNamesTheFileAndEndsReading) {
    // The process's own memory file opens, but reading its first page fails.
    const std::string name = "/proc/self/mem";
    zor::TextFileReader reader(name);
    std::string line;
    try {
        reader.readLine(line);
        FAIL() << "reading a directory succeeded";
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), "File [" + name + "] zor::TextFileReader::readLine can not read from file");
    }
}

}  // namespace
