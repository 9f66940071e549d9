#include "app/console.hpp"

#include <iostream>

#include <unistd.h>

namespace console {

namespace {

// Console attribute colour bits (blue 1, green 2, red 4) to the ANSI colour
// number (red 1, green 2, blue 4).
int ansiColour(unsigned bits) {
    return ((bits & 4u) ? 1 : 0) | ((bits & 2u) ? 2 : 0) | ((bits & 1u) ? 4 : 0);
}

}  // namespace

std::string sgrSequence(std::uint16_t attribute) {
    const unsigned foreground = attribute & 0x0Fu;
    const unsigned background = (attribute >> 4) & 0x0Fu;
    const int fg = ((foreground & 8u) ? 90 : 30) + ansiColour(foreground);
    const int bg = background == 0 ? 49 : ((background & 8u) ? 100 : 40) + ansiColour(background);
    return "\x1b[" + std::to_string(fg) + ";" + std::to_string(bg) + "m";
}

void Console::setTitle(const std::string& title) {
    if (terminal_) out_ << "\x1b]0;" << title << "\x07";
}

void Console::setAttribute(std::uint16_t attribute) {
    if (terminal_) out_ << sgrSequence(attribute);
}

void Console::restore() {
    if (terminal_) out_ << "\x1b[0m";
    out_.flush();
}

Console& standardConsole() {
    static Console instance(std::cout, ::isatty(STDOUT_FILENO) == 1);
    return instance;
}

}  // namespace console
