// glyphkiln: rasterises the fonts a configuration file names into one
// greyscale texture atlas and writes it with its glyph table.
#include <string>
#include <vector>

#include "app/console.hpp"
#include "app/run.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return runGlyphkiln(arguments, console::standardConsole());
}
