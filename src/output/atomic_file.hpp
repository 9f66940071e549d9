// Replacing a file only once its new content is completely on disk.
#pragma once

#include <cstddef>
#include <string>

// Writes `size` bytes to a temporary file beside `fileName`, closes it,
// gives it the permissions a newly created file gets (0666 less the
// umask) and renames it over `fileName`. On failure the temporary file is
// removed, `fileName` is left as it was, and the message is
// "can not create " + fileName + " file because it could not be opened
// for writing" or "... because writing to it failed".
void replaceFileContents(const std::string& fileName, const void* data, std::size_t size);

// The same in two steps, so that several files can be completely written
// before any of them replaces its predecessor: the constructor writes the
// temporary file (failing as above), commit() renames it over `fileName`.
// A staged file that is never committed is removed.
class StagedFile {
public:
    StagedFile(const std::string& fileName, const void* data, std::size_t size);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    void commit();

private:
    std::string fileName;
    std::string temporaryName;
    bool committed = false;
};
