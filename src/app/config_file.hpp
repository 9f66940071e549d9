// The configuration file: one font request per line.
//
//   path size [characters]
//   "path with blanks" size [characters]
//   // a comment line; blank lines are ignored
//
// Each line is trimmed of " \t\n\r" first, so CR LF files read like LF files.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/failure.hpp"

// One font request, as one configuration line states it.
struct FontInfo {
    std::uint32_t pixelSize = 0;  // nominal pixel size to rasterise at
    std::string fontPath;         // as written, without surrounding quotes
    std::string characters;       // bytes after the size; empty: the default set
};

// A failure after which the usage text is to be shown.
class UsageError : public zor::Failure {
public:
    using zor::Failure::Failure;
};

// Parses one trimmed, non-blank, non-comment line numbered `lineNumber`.
FontInfo parseFontLine(const std::string& line, unsigned long lineNumber);

// Reads the whole file and returns its font requests in file order (possibly
// none). The first bad line ends the parse with its message; an unquoted
// line without a blank throws UsageError.
std::vector<FontInfo> parseConfigFile(const std::string& fileName);
