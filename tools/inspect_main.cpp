// glyphkiln-inspect: checks an atlas with the reader, reports on it, and
// turns it into pictures, JSON or BMFont files. Exit status 0 when the
// files are valid and every requested output was written, 1 otherwise.
#include <iostream>
#include <stdexcept>
#include <string>

#include "bmfont.hpp"
#include "glyphkiln/atlas_reader.hpp"
#include "json_table.hpp"
#include "png_file.hpp"
#include "previews.hpp"
#include "summary.hpp"

namespace {

const char kUsage[] =
    "Usage: glyphkiln-inspect DESCRIPTOR [--image FILE] [--json] [--bmfont DIR]\n"
    "                         [--png FILE [--boxes | --render TEXT --set NAME]]\n"
    "  DESCRIPTOR        an ovx glyph descriptor (fonts.ovx) or a glyph text file (fontsAscii.txt)\n"
    "  --image FILE      the atlas image, when it is not the one the descriptor names or implies\n"
    "  --json            print the glyph table as JSON instead of the summary\n"
    "  --png FILE        write the atlas as an 8-bit greyscale PNG\n"
    "  --boxes           ... as a colour PNG with every glyph's rectangle outlined, a colour per set\n"
    "  --render TEXT     ... as TEXT laid out on a baseline with the glyphs of --set NAME\n"
    "  --bmfont DIR      write DIR/<image>.png and one BMFont .fnt file per glyph set\n";

struct Options {
    std::string descriptor, image, png, render, set, bmfont;
    bool json = false, boxes = false, hasRender = false, hasSet = false;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--json") options.json = true;
        else if (arg == "--boxes") options.boxes = true;
        else if (arg == "--image") options.image = value();
        else if (arg == "--png") options.png = value();
        else if (arg == "--bmfont") options.bmfont = value();
        else if (arg == "--render") options.render = value(), options.hasRender = true;
        else if (arg == "--set") options.set = value(), options.hasSet = true;
        else if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option " + arg);
        else if (options.descriptor.empty()) options.descriptor = arg;
        else throw UsageError("more than one descriptor given");
    }
    if (options.descriptor.empty()) throw UsageError("no descriptor given");
    if (options.boxes && options.hasRender) throw UsageError("--boxes and --render both want the --png file");
    if ((options.boxes || options.hasRender) && options.png.empty()) {
        throw UsageError(std::string(options.boxes ? "--boxes" : "--render") + " needs --png FILE");
    }
    if (options.hasRender != options.hasSet) throw UsageError("--render and --set go together");
    return options;
}

void writePictures(const glyphkiln::Atlas& atlas, const Options& options, std::ostream& log) {
    if (options.png.empty()) return;
    const glyphkiln::Image& image = atlas.image;
    if (options.hasRender) {
        const glyphkiln::GlyphSet* set = atlas.findSet(options.set);
        if (set == nullptr) throw std::runtime_error("the atlas has no glyph set named " + options.set);
        const RenderedText text = renderText(*set, image, options.render);
        writePng(options.png, text.image.width, text.image.height, 1, text.image.pixels);
        log << "wrote " << options.png << ": \"" << options.render << "\" in " << set->name << ", "
            << text.image.width << "x" << text.image.height << " pixels\n";
    } else if (options.boxes) {
        writePng(options.png, image.width, image.height, 3, boxesImage(atlas));
        log << "wrote " << options.png << ": glyph rectangles, one colour per set\n";
    } else {
        writePng(options.png, image.width, image.height, 1, image.pixels);
        log << "wrote " << options.png << ": the " << image.width << "x" << image.height
            << " atlas in greyscale\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "glyphkiln-inspect: " << e.what() << "\n" << kUsage;
        return 1;
    }
    try {
        const glyphkiln::Atlas atlas = options.image.empty()
                                           ? glyphkiln::loadAtlas(options.descriptor)
                                           : glyphkiln::loadAtlas(options.descriptor, options.image);
        // With --json the standard output carries the JSON alone.
        std::ostream& log = options.json ? std::cerr : std::cout;
        if (options.json) writeJson(atlas, std::cout);
        else printSummary(atlas, std::cout);
        writePictures(atlas, options, log);
        if (!options.bmfont.empty()) {
            for (const std::string& path : writeBmfont(atlas, options.bmfont)) log << "wrote " << path << "\n";
        }
        std::cout.flush();
        if (!std::cout) throw std::runtime_error("writing to the standard output failed");
    } catch (const std::exception& e) {
        std::cerr << "glyphkiln-inspect: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
