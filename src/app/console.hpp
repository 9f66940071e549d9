// The console the program reports to: text on one output stream, with
// colours given as console text attributes (low four bits foreground:
// blue 1, green 2, red 4, intensity 8; high four bits the background).
//
// On a terminal, the title becomes an OSC 0 sequence and every attribute
// change an SGR sequence; elsewhere (a file, a pipe, a test's string
// stream) no escape sequence is written at all, only the plain text.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace console {

// The attribute values the program uses.
enum Colour : std::uint16_t {
    kPlain = 15,      // bright white on black
    kProgress = 11,   // bright cyan
    kHighlight = 14,  // bright yellow
    kFailure = 207,   // bright white on bright red
};

class Console {
public:
    // `terminal` says whether `out` is shown on a terminal that understands
    // escape sequences.
    Console(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}

    void setTitle(const std::string& title);
    void setAttribute(std::uint16_t attribute);
    // Gives the terminal back its own attributes, as they were at the start.
    void restore();

    std::ostream& out() { return out_; }

    template <typename T>
    Console& operator<<(const T& value) {
        out_ << value;
        return *this;
    }

private:
    std::ostream& out_;
    bool terminal_;
};

// The SGR sequence that shows `attribute`; a background of 0 is the
// terminal's default background.
std::string sgrSequence(std::uint16_t attribute);

// The process's standard output, as a console.
Console& standardConsole();

}  // namespace console
