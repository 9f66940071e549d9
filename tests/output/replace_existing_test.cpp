// Replacing an existing output file must behave exactly like a rename over
// it, whichever way the file system is asked to do it: the new bytes under
// the name, nothing left beside it, and other names of the old file alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "output/atomic_file.hpp"
#include "support/scratch_dir.hpp"

namespace {

namespace fs = std::filesystem;
using support_test::readBytes;
using support_test::ScratchDir;

std::size_t entriesIn(const fs::path& dir) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        (void)entry;
        ++count;
    }
    return count;
}

TEST(ReplaceExisting, RegularFileGetsTheNewBytesAndNothingIsLeft) {
    const ScratchDir dir;
    const std::string target = dir.write("atlas.raw", std::string(100000, 'o'));
    for (const std::string bytes : {"new", "", "newer and longer"}) {
        replaceFileContents(target, bytes.data(), bytes.size());
        EXPECT_EQ(readBytes(target), bytes);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
        EXPECT_EQ(entriesIn(dir.path()), 1u);
    }
}

TEST(ReplaceExisting, OtherNamesOfTheOldFileKeepItsBytes) {
    const ScratchDir dir;
    const std::string target = dir.write("atlas.raw", "old");
    const std::string other = (dir.path() / "kept.raw").string();
    ASSERT_EQ(::link(target.c_str(), other.c_str()), 0);
    replaceFileContents(target, "new", 3);
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(readBytes(other), "old");
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(ReplaceExisting, SymbolicLinkIsReplacedNotFollowed) {
    const ScratchDir dir;
    const std::string pointed = dir.write("elsewhere.raw", "old");
    const std::string target = (dir.path() / "atlas.raw").string();
    fs::create_symlink(pointed, target);
    replaceFileContents(target, "new", 3);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(readBytes(pointed), "old");
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

}  // namespace
