#include "support/file_handler.hpp"

#include "support/failure.hpp"

#include <stdexcept>

#include <sys/stat.h>
#include <string>

namespace zor {

FileHandler::FileHandler(const std::string& name) : fileName(name) {
    const std::string::size_type separator = name.find_last_of("/\\");
    if (separator != std::string::npos) directory = name.substr(0, separator);
    if (name.empty()) throw zor::Failure("zor::FileHandler::FileHandler missing filename");
}

FileHandler::~FileHandler() {
    if (fileStream != nullptr) std::fclose(fileStream);  // a failure to close is of no use here
}

void FileHandler::throwError(const std::string& message) const {
    throw zor::Failure("File [" + fileName + "] " + message);
}

TextFileReader::TextFileReader(const std::string& name) : FileHandler(name) {
    fileStream = std::fopen(fileName.c_str(), "rb");
    // A directory opens here but can never be read as text: it is
    // refused like any other file that cannot be opened for reading.
    struct stat status {};
    if (fileStream == nullptr ||
        (::fstat(::fileno(fileStream), &status) == 0 && S_ISDIR(status.st_mode))) {
        throwError("zor::TextFileReader::TextFileReader can not open file for reading");
    }
}

bool TextFileReader::readLine(std::string& line) {
    line.clear();
    if (atEnd) return false;
    // Byte by byte, so that NUL bytes stay inside a line and an endless or
    // huge file (/dev/zero, a disk image) is refused instead of read whole.
    for (;;) {
        const int c = getc_unlocked(fileStream);
        if (c == EOF) {
            if (std::ferror(fileStream)) {
                throwError("zor::TextFileReader::readLine can not read from file");
            }
            atEnd = true;  // a last line without a line end, or one last empty line
            return true;
        }
        if (++bytesRead > kMaxFileBytes) {
            throwError("zor::TextFileReader::readLine the file is larger than " +
                       std::to_string(kMaxFileBytes) + " bytes");
        }
        if (c == '\n') return true;
        line += static_cast<char>(c);
    }
}

}  // namespace zor
