// The program's run sequence, from banner to exit status, over any console.
#pragma once

#include <string>
#include <vector>

#include "app/console.hpp"

// `arguments` are those after the program's name. Returns the exit status:
// 0 after a successful run, 1 after a reported failure.
int runGlyphkiln(const std::vector<std::string>& arguments, console::Console& console);

// The configuration file name cut before its last "."; the whole name when
// it has none. Directories stay, so output lands beside the configuration.
std::string baseNameOf(const std::string& configFileName);

// Prints the usage text in its colours.
void printUsage(console::Console& console);
