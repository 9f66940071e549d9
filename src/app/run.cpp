#include "app/run.hpp"

#include <cstdint>
#include <exception>
#include <memory>

#include "app/config_file.hpp"
#include "fonts/freetype_library.hpp"
#include "support/utility.hpp"

std::string baseNameOf(const std::string& configFileName) {
    const std::string::size_type dot = configFileName.rfind('.');
    return dot == std::string::npos ? configFileName : configFileName.substr(0, dot);
}

void printUsage(console::Console& console) {
    using namespace console;
    console.setAttribute(kHighlight);
    console << "Usage: Glyphkiln <configFile.txt> <#> [raw]\n";
    console.setAttribute(kProgress);
    console << "\twhere <configFile.txt> contains the following data:\n\n";
    console.setAttribute(kHighlight);
    console << "c:/Windows/Fonts/arial.ttf 15 abcdefg\n\n";
    console.setAttribute(kProgress);
    console << "\tEach line of text in the configFile must contain a file path to the\n"
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
}

namespace {

void runSequence(const std::vector<std::string>& arguments, console::Console& console) {
    if (arguments.size() != 2 && arguments.size() != 3) throw UsageError("Invalid usage.");

    const std::string& configFileName = arguments[0];
    const std::vector<FontInfo> fonts = parseConfigFile(configFileName);
    if (fonts.empty()) {
        throw UsageError("Invalid data inside " + configFileName + ". No font information found.");
    }
    const std::uint32_t padding = zor::Utility::convertToUnsigned(arguments[1]);
    const bool rawOutput = arguments.size() == 3 && arguments[2] == "raw";

    FreeTypeLibrary library(padding, rawOutput, console);
    for (const FontInfo& font : fonts) {
        library.loadFontCharacters(font.fontPath, font.pixelSize, font.characters);
    }
    library.createAtlas(baseNameOf(configFileName));
}

}  // namespace

int runGlyphkiln(const std::vector<std::string>& arguments, console::Console& console) {
    console.setTitle("Glyphkiln v1.0");
    console.setAttribute(console::kPlain);
    console << "\nGlyphkiln v1.0\n\n";

    bool showUsage = false;
    std::string failure;
    bool failed = false;
    try {
        runSequence(arguments, console);
    } catch (const UsageError& error) {
        failed = true;
        showUsage = true;
        failure = error.message();
    } catch (const zor::Failure& error) {
        failed = true;
        failure = error.message();
    } catch (const std::exception& error) {
        failed = true;
        failure = error.what();
    }
    if (failed) {
        console.setAttribute(console::kFailure);
        console << failure << "\n\n";
    }
    if (showUsage) printUsage(console);
    console.restore();
    return failed ? 1 : 0;
}
