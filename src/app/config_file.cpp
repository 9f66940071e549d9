#include "app/config_file.hpp"

#include "support/file_handler.hpp"
#include "support/utility.hpp"
#include "support/failure.hpp"

FontInfo parseFontLine(const std::string& line, unsigned long lineNumber) {
    FontInfo info;
    std::string::size_type sizeStart;
    if (line[0] == '"') {
        const std::string::size_type closing = line.find('"', 1);
        if (closing == std::string::npos) {
            throw zor::Failure("Missing quote on line " + std::to_string(lineNumber));
        }
        info.fontPath = line.substr(1, closing - 1);
        sizeStart = closing + 2;  // the one character after the quote is skipped
    } else {
        const std::string::size_type blank = line.find(' ');
        if (blank == std::string::npos) {
            throw UsageError("Invalid <configFile> format on line " + std::to_string(lineNumber));
        }
        info.fontPath = line.substr(0, blank);
        sizeStart = blank + 1;
    }
    if (sizeStart > line.size()) throw std::out_of_range("invalid string position");

    const std::string::size_type blank = line.find(' ', sizeStart);
    std::string sizeText;
    if (blank == std::string::npos) {
        sizeText = line.substr(sizeStart);
    } else {
        sizeText = line.substr(sizeStart, blank - sizeStart);
        info.characters = line.substr(blank + 1);
    }
    info.pixelSize = zor::Utility::convertToUnsigned(sizeText);
    return info;
}

std::vector<FontInfo> parseConfigFile(const std::string& fileName) {
    zor::TextFileReader reader(fileName);
    std::vector<FontInfo> fonts;
    unsigned long lineNumber = 0;
    std::string line;
    while (reader.readLine(line)) {
        ++lineNumber;
        const std::string trimmed = trim(line, " \t\n\r");
        if (trimmed.empty() || trimmed.compare(0, 2, "//") == 0) continue;
        fonts.push_back(parseFontLine(trimmed, lineNumber));
    }
    return fonts;
}
