// The inspector's report on a valid atlas: size, coverage, and per set
// its glyph count and the ranges of sizes and metrics.
#pragma once

#include <ostream>

#include "glyphkiln/atlas_reader.hpp"

void printSummary(const glyphkiln::Atlas& atlas, std::ostream& out);
