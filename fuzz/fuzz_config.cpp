// Configuration parser over arbitrary bytes: the whole-file parser on a
// temporary file, and the line parser on the first trimmed line. Every
// outcome but a crash or a sanitizer report is fine; failures must be
// exceptions with a message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include <unistd.h>

#include "app/config_file.hpp"
#include "support/utility.hpp"

namespace {

const std::string& temporaryPath() {
    static const std::string path = [] {
        // Memory-backed where there is such a directory: a file per input.
        char pattern[] = "/dev/shm/glyphkiln-fuzz-config-XXXXXX";
        int fd = ::mkstemp(pattern);
        if (fd < 0) {
            std::strcpy(pattern, "/tmp/glyphkiln-fuzz-config-XXXXXX");
            fd = ::mkstemp(pattern);
        }
        if (fd < 0) std::abort();
        ::close(fd);
        return std::string(pattern);
    }();
    static const bool removedAtExit = std::atexit([] { ::unlink(path.c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

void checkMessage(const std::exception& error) {
    if (std::string(error.what()).empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string firstLine = trim(text.substr(0, text.find('\n')), " \t\n\r");
    if (!firstLine.empty() && firstLine.compare(0, 2, "//") != 0) {
        try {
            const FontInfo info = parseFontLine(firstLine, 1);
            if (info.fontPath.size() + info.characters.size() > firstLine.size()) std::abort();
        } catch (const std::exception& error) {
            checkMessage(error);
        }
    }

    const std::string& path = temporaryPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    try {
        const std::vector<FontInfo> fonts = parseConfigFile(path);
        for (const FontInfo& font : fonts) {
            if (font.fontPath.size() > size || font.characters.size() > size) std::abort();
        }
    } catch (const std::exception& error) {
        checkMessage(error);
    }
    return 0;
}
