// Writing the output files: what lands on disk, what is announced, and
// what a refused or failing run leaves behind.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/stat.h>

#include "output/atlas_writer.hpp"
#include "output/atomic_file.hpp"
#include "output_fixture.hpp"

namespace output_test {
namespace {

struct SaveResult {
    std::string console;
    std::string failure;  // "" when the run succeeded
};

SaveResult save(Layout& layout, const std::string& baseName, bool raw, std::uint64_t width = kSampleWidth,
         std::uint64_t height = kSampleHeight) {
    std::ostringstream out;
    console::Console console(out, false);
    SaveResult run;
    try {
        saveAtlas(width, height, baseName, layout.placements, layout.registryOrder(), raw, console);
    } catch (const std::runtime_error& error) {
        run.failure = error.what();
    }
    run.console = out.str();
    return run;
}

// The file names and expected contents of the sample in one mode.
struct Mode {
    bool raw;
    std::string image, descriptor;
};
const Mode kModes[] = {{true, "fontsAtlas.raw", "fontsAscii.txt"},
                       {false, "fontsAtlas.ovx", "fonts.ovx"}};

std::string expectedImage(const Mode& mode) {
    return mode.raw ? sampleImage() : header(1) + sampleImage();
}
std::string expectedDescriptor(const Mode& mode, const std::string& dir) {
    return mode.raw ? sampleGlyphText() : sampleDescriptor(dir + "/fontsAtlas.ovx");
}

// A layout with a glyph out of range, in its second set.
void refusedLayout(Layout& layout) {
    sampleLayout(layout);
    zor::GlyphSet& extra = layout.addSet("Zed Regular8");
    layout.addGlyph(extra, 'Z', 1, 1, 0, 0, 0, 0, -1);
}

TEST(SaveAtlas, WritesBothFilesAnnouncedImageFirst) {
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.image);
        ScratchDir dir;
        Layout layout;
        sampleLayout(layout);
        const SaveResult run = save(layout, dir / "fonts", mode.raw);
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.console,
                  "Saving " + (dir / mode.image) + "\nSaving " + (dir / mode.descriptor) + "\n");
        EXPECT_EQ(readBytes(dir / mode.image), expectedImage(mode));
        EXPECT_EQ(readBytes(dir / mode.descriptor), expectedDescriptor(mode, dir.path().string()));
        EXPECT_EQ(dir.entries(), (std::set<std::string>{mode.image, mode.descriptor}));
    }
}

TEST(SaveAtlas, RefusedRunWritesNothing) {
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.image);
        ScratchDir dir;
        Layout layout;
        refusedLayout(layout);
        const SaveResult run = save(layout, dir / "fonts", mode.raw);
        EXPECT_EQ(run.failure, "can not create " + (dir / mode.descriptor) +
                                   " file because AdvanceX distance (4294967295) is out of range "
                                   "for [ Z ] in Zed Regular8");
        EXPECT_EQ(run.console, "");
        EXPECT_TRUE(dir.entries().empty());
    }
}

TEST(SaveAtlas, RefusedRunLeavesEarlierOutputUntouched) {
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.image);
        ScratchDir dir;
        writeBytes(dir / mode.image, "earlier image");
        writeBytes(dir / mode.descriptor, "earlier descriptor");
        Layout layout;
        refusedLayout(layout);
        EXPECT_NE(save(layout, dir / "fonts", mode.raw).failure, "");
        EXPECT_EQ(readBytes(dir / mode.image), "earlier image");
        EXPECT_EQ(readBytes(dir / mode.descriptor), "earlier descriptor");
        EXPECT_EQ(dir.entries(), (std::set<std::string>{mode.image, mode.descriptor}));
    }
}

TEST(SaveAtlas, ReplacesEarlierOutput) {
    ScratchDir dir;
    writeBytes(dir / "fontsAtlas.raw", std::string(100000, 'x'));
    writeBytes(dir / "fontsAscii.txt", std::string(100000, 'x'));
    Layout layout;
    sampleLayout(layout);
    EXPECT_EQ(save(layout, dir / "fonts", true).failure, "");
    EXPECT_EQ(readBytes(dir / "fontsAtlas.raw"), sampleImage());
    EXPECT_EQ(readBytes(dir / "fontsAscii.txt"), sampleGlyphText());
}

TEST(SaveAtlas, AtlasTooLargeIsRefusedBeforeAnything) {
    ScratchDir dir;
    Layout layout;
    sampleLayout(layout);
    const SaveResult run = save(layout, dir / "fonts", false, 131072, 1);
    EXPECT_EQ(run.failure, "can not create " + (dir / "fontsAtlas.ovx") +
                               " file because the atlas of 131072x1 pixels is larger than the "
                               "65536x65536 pixels an atlas may have");
    EXPECT_EQ(run.console, "");
    EXPECT_TRUE(dir.entries().empty());
}

// Restores the umask when the test ends.
struct UmaskGuard {
    explicit UmaskGuard(mode_t mask) : saved(::umask(mask)) {}
    ~UmaskGuard() { ::umask(saved); }
    mode_t saved;
};

mode_t permissions(const std::string& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + file);
    return info.st_mode & 07777;
}

TEST(SaveAtlas, FilesGetThePermissionsOfAPlainlyCreatedFile) {
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {027, 0640}, {0, 0666}, {077, 0600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.umask);
        const UmaskGuard guard(c.umask);
        ScratchDir dir;
        writeBytes(dir / "fonts.ovx", "earlier");
        ::chmod((dir / "fonts.ovx").c_str(), 0400);  // a replaced file gets the new mode too
        Layout layout;
        sampleLayout(layout);
        ASSERT_EQ(save(layout, dir / "fonts", false).failure, "");
        EXPECT_EQ(permissions(dir / "fontsAtlas.ovx"), c.mode);
        EXPECT_EQ(permissions(dir / "fonts.ovx"), c.mode);
    }
}

TEST(SaveAtlas, UnwritableOutputIsReported) {
    // Tests may run as root, who ignores permission bits: the directory
    // is made unusable by its shape instead.
    const struct {
        const char* what;
        const char* prepare;  // a directory ("d/") or a regular file to create
        const char* base;
        const char* failing;   // the file the message names
        const char* announced;  // the "Saving " lines printed before the failure
        const char* written;    // a file written before the failure, or "" (none is)
    } cases[] = {
        {"missing directory", "", "missing/fonts", "missing/fontsAtlas.ovx",
         "missing/fontsAtlas.ovx", ""},
        {"regular file as directory", "file", "file/fonts", "file/fontsAtlas.ovx",
         "file/fontsAtlas.ovx", ""},
        {"image name taken by a directory", "fontsAtlas.ovx/", "fonts", "fontsAtlas.ovx",
         "fontsAtlas.ovx", ""},
        {"descriptor name taken by a directory", "fonts.ovx/", "fonts", "fonts.ovx",
         "fontsAtlas.ovx fonts.ovx", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        const std::string prepare = c.prepare;
        if (!prepare.empty() && prepare.back() == '/') {
            std::filesystem::create_directory(dir / prepare);
        } else if (!prepare.empty()) {
            writeBytes(dir / prepare, "not a directory");
        }
        const std::set<std::string> before = dir.entries();
        Layout layout;
        sampleLayout(layout);
        const SaveResult run = save(layout, dir / c.base, false);
        EXPECT_EQ(run.failure, "can not create " + (dir / c.failing) +
                                   " file because it could not be opened for writing");
        std::string announced;
        std::istringstream names(c.announced);
        for (std::string name; names >> name;) announced += "Saving " + (dir / name) + "\n";
        EXPECT_EQ(run.console, announced);
        // No temporary file is left, and nothing else was created.
        std::set<std::string> expected = before;
        if (*c.written) expected.insert(c.written);
        EXPECT_EQ(dir.entries(), expected);
    }
}

// Lowers the file size limit for the test; writing past it fails with
// EFBIG (the signal it would raise is ignored meanwhile), also for root.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

TEST(SaveAtlas, FailedWriteIsReportedAndLeavesNoTrace) {
    ScratchDir dir;
    writeBytes(dir / "fontsAtlas.ovx", "earlier image");
    Layout layout;
    sampleLayout(layout);
    SaveResult run;
    {
        const FileSizeLimit limit(16);
        run = save(layout, dir / "fonts", false);
    }
    EXPECT_EQ(run.failure, "can not create " + (dir / "fontsAtlas.ovx") +
                               " file because writing to it failed");
    EXPECT_EQ(run.console, "Saving " + (dir / "fontsAtlas.ovx") + "\n");
    EXPECT_EQ(readBytes(dir / "fontsAtlas.ovx"), "earlier image");
    EXPECT_EQ(dir.entries(), std::set<std::string>{"fontsAtlas.ovx"});
}

TEST(ReplaceFileContents, WritesEmptyAndRelativeFiles) {
    ScratchDir dir;
    struct WorkingDirectory {
        const std::filesystem::path saved = std::filesystem::current_path();
        ~WorkingDirectory() { std::filesystem::current_path(saved); }
    } restore;
    std::filesystem::current_path(dir.path());
    replaceFileContents("plain", "", 0);
    replaceFileContents("plain2", "abc", 3);
    EXPECT_EQ(readBytes(dir / "plain"), "");
    EXPECT_EQ(readBytes(dir / "plain2"), "abc");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"plain", "plain2"}));
}

}  // namespace
}  // namespace output_test
