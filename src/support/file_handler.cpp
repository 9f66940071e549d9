#include "support/file_handler.hpp"

#include <cstdlib>
#include <stdexcept>

#include <sys/types.h>

namespace zor {

FileHandler::FileHandler(const std::string& name) : fileName(name) {
    const std::string::size_type separator = name.find_last_of("/\\");
    if (separator != std::string::npos) directory = name.substr(0, separator);
    if (name.empty()) throw std::runtime_error("zor::FileHandler::FileHandler missing filename");
}

FileHandler::~FileHandler() {
    if (fileStream != nullptr) std::fclose(fileStream);  // a failure to close is of no use here
}

void FileHandler::throwError(const std::string& message) const {
    throw std::runtime_error("File [" + fileName + "] " + message);
}

TextFileReader::TextFileReader(const std::string& name) : FileHandler(name) {
    fileStream = std::fopen(fileName.c_str(), "rb");
    if (fileStream == nullptr) {
        throwError("zor::TextFileReader::TextFileReader can not open file for reading");
    }
}

bool TextFileReader::readLine(std::string& line) {
    line.clear();
    if (atEnd) return false;
    // getline keeps NUL bytes inside a line and tells its real length.
    char* buffer = nullptr;
    std::size_t capacity = 0;
    const ssize_t length = ::getline(&buffer, &capacity, fileStream);
    struct Release {
        char* p;
        ~Release() { std::free(p); }
    } release{buffer};
    if (length < 0) {
        if (std::ferror(fileStream)) {
            throwError("zor::TextFileReader::readLine can not read from file");
        }
        atEnd = true;
        return true;  // after a final line end: one last, empty line
    }
    line.assign(buffer, static_cast<std::size_t>(length));
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    } else {
        atEnd = true;  // a last line without a line end
    }
    return true;
}

}  // namespace zor
