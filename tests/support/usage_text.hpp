// The usage text the program prints after a usage error, in the four parts
// between which its colour changes; written out here independently of the
// program's own copy, so that a change to either shows.
#pragma once

#include <string>

namespace support_test {

const std::string kUsageLine = "Usage: Glyphkiln <configFile.txt> <#> [raw]\n";            // colour 14
const std::string kUsageWhere = "\twhere <configFile.txt> contains the following data:\n\n";  // 11
const std::string kUsageExample = "c:/Windows/Fonts/arial.ttf 15 abcdefg\n\n";               // 14
const std::string kUsageExplanation =                                                       // 11
    "\tEach line of text in the configFile must contain a file path to the\n"
    "\tfont to use, and the size of the font in pixels.  The characters after\n"
    "\tthe font size are optional, but if present then only those characters\n"
    "\twill be exported to the font atlas file.\n\n"
    "\tThe <#> following the configFile.txt indicates how much padding should\n"
    "\tbe placed between each font glyph in the atlas.\n\n"
    "\tIf the optional raw tag is used then instead of generating ovx files\n"
    "\tan ascii text file will be created which contains all the font glyph\n"
    "\tinfomation that is stored in the atlas. The texture atlas will be a\n"
    "\tplain raw image with an 8 byte header indicating the texture atlas\n"
    "\twidth and height.\n\n";

// The whole text as written to a file or a pipe.
const std::string kUsage = kUsageLine + kUsageWhere + kUsageExample + kUsageExplanation;

}  // namespace support_test
