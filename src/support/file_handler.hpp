// zor::FileHandler and zor::TextFileReader: a file together with its name,
// failures that name the file, and line-by-line reading of a text file.
#pragma once

#include <cstdio>
#include <string>

namespace zor {

// Owns one C stream and the name it was opened with. The stream is closed
// when the handler ends its life, also when a derived constructor fails.
class FileHandler {
public:
    // Stores the name and fills `directory`; fails with
    // "zor::FileHandler::FileHandler missing filename" for an empty name.
    explicit FileHandler(const std::string& name);
    virtual ~FileHandler();

    FileHandler(const FileHandler&) = delete;
    FileHandler& operator=(const FileHandler&) = delete;

    const std::string& getFileName() const { return fileName; }
    const std::string& getDirectory() const { return directory; }

protected:
    // Throws std::runtime_error("File [" + fileName + "] " + message).
    [[noreturn]] void throwError(const std::string& message) const;

    std::FILE* fileStream = nullptr;  // not open until a derived class opens it
    std::string directory;            // text before the last '/' or '\\'; empty if none
    std::string fileName;             // exactly as given; never empty
};

// A text file opened for reading. Lines end at a line feed, which is not
// part of the line; a carriage return before it is left for the caller's
// trimming, so files with CR LF line ends read like files with LF only.
class TextFileReader : public FileHandler {
public:
    // Fails with "File [name] zor::TextFileReader::TextFileReader can not
    // open file for reading" when the file cannot be opened.
    explicit TextFileReader(const std::string& name);

    // Reads the next line into `line`. Returns false once the end of the
    // file has been reached with nothing left to read. A read error (not
    // the end) throws a message that names the file, so reading never loops,
    // and so does a file of more than kMaxFileBytes, so memory stays bounded.
    bool readLine(std::string& line);

    // Far more than any configuration needs.
    static constexpr unsigned long long kMaxFileBytes = 256ull << 20;

private:
    bool atEnd = false;
    unsigned long long bytesRead = 0;
};

}  // namespace zor
