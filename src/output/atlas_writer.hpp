// Writing the finished layout: the atlas image and the glyph descriptor,
// either as the raw image and the glyph text file or as the two ovx
// container files.
//
// Every check of both files runs before either is touched, so a refused
// run writes nothing and leaves earlier output as it was; the two files then
// replace their predecessors only once both are completely written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/console.hpp"
#include "atlas/glyph_placement.hpp"
#include "output/descriptor.hpp"

// Checks, then writes both files: the image first, then the descriptor,
// each announced by a "Saving " line. `sets` are the glyph sets in
// registry order. Reorders `placements` (the grouping of the descriptor).
void saveAtlas(std::uint64_t width, std::uint64_t height, const std::string& baseName,
               std::vector<GlyphPlacement>& placements,
               const std::vector<const zor::GlyphSet*>& sets, bool rawOutput,
               console::Console& console);

// Every check of the output, in order: the atlas size, the image file name
// (container mode), then the descriptor's. Returns the checked glyph table.
std::vector<DescriptorSet> checkAtlasOutput(std::uint64_t width, std::uint64_t height,
                                            const std::string& baseName,
                                            std::vector<GlyphPlacement>& placements,
                                            const std::vector<const zor::GlyphSet*>& sets,
                                            bool rawOutput);

// The two writers, for a layout that passed checkAtlasOutput.
void saveAtlasImage(std::uint32_t width, std::uint32_t height, const std::string& baseName,
                    const std::vector<GlyphPlacement>& placements, bool rawOutput,
                    console::Console& console);
void saveGlyphDescriptor(const std::vector<DescriptorSet>& sets, const std::string& baseName,
                         bool rawOutput, console::Console& console);
