#include "output/atomic_file.hpp"

#include "support/failure.hpp"

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& fileName, const char* reason) {
    throw zor::Failure("can not create " + fileName + " file because " + reason);
}

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Removes the temporary file unless it was renamed into place.
struct TemporaryFile {
    std::string name;
    int fd = -1;
    bool kept = false;
    ~TemporaryFile() {
        if (fd >= 0) ::close(fd);
        if (!kept) ::unlink(name.c_str());
    }
};

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

StagedFile::StagedFile(const std::string& fileName, const void* data, std::size_t size)
    : fileName(fileName) {
    // The temporary name does not grow with the target's, so any name that
    // can be created directly can be replaced this way too.
    const std::string::size_type slash = fileName.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
    std::vector<char> pattern(directory.begin(), directory.end());
    const char suffix[] = ".glyphkiln-XXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);

    // A directory in the target's place could never be replaced: refuse it
    // now, before anything is written, as opening it would have.
    struct stat target {};
    if (::stat(fileName.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        fail(fileName, "it could not be opened for writing");
    }

    TemporaryFile temporary;
    temporary.fd = ::mkstemp(pattern.data());
    if (temporary.fd < 0) {
        temporary.kept = true;  // nothing was created
        fail(fileName, "it could not be opened for writing");
    }
    temporary.name = pattern.data();

    if (::fchmod(temporary.fd, creationMode()) != 0 ||
        !writeAll(temporary.fd, static_cast<const unsigned char*>(data), size)) {
        fail(fileName, "writing to it failed");
    }
    const int fd = temporary.fd;
    temporary.fd = -1;
    if (::close(fd) != 0) fail(fileName, "writing to it failed");
    temporaryName = temporary.name;
    temporary.kept = true;  // from here on this object removes it
}

StagedFile::~StagedFile() {
    if (!committed) ::unlink(temporaryName.c_str());
}

namespace {

bool isRegularFile(const std::string& name) {
    struct stat status {};
    return ::lstat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Puts the temporary file in the place of an existing regular file by
// swapping the two names, then removes the old one. The target stays in
// place throughout, as with a rename over it, but a file system such as
// ext4 answers a rename over an existing file by writing the new file out
// at once, which takes milliseconds for an atlas of a few MiB.
bool exchangeWithExisting(const std::string& temporaryName, const std::string& fileName) {
    if (!isRegularFile(fileName)) return false;
    if (::renameat2(AT_FDCWD, temporaryName.c_str(), AT_FDCWD, fileName.c_str(),
                    RENAME_EXCHANGE) != 0) {
        return false;  // not supported here: the plain rename does it
    }
    if (!isRegularFile(temporaryName)) {
        // The target changed meanwhile: swap back and leave it to rename.
        ::renameat2(AT_FDCWD, temporaryName.c_str(), AT_FDCWD, fileName.c_str(), RENAME_EXCHANGE);
        return false;
    }
    ::unlink(temporaryName.c_str());
    return true;
}

}  // namespace

void StagedFile::commit() {
    if (exchangeWithExisting(temporaryName, fileName)) {
        committed = true;
        return;
    }
    if (::rename(temporaryName.c_str(), fileName.c_str()) != 0) {
        fail(fileName, "it could not be opened for writing");
    }
    committed = true;
}

void replaceFileContents(const std::string& fileName, const void* data, std::size_t size) {
    StagedFile(fileName, data, size).commit();
}
