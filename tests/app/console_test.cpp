#include "app/console.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace {

struct SgrCase {
    std::uint16_t attribute;
    std::string sequence;
};

class Sgr : public ::testing::TestWithParam<SgrCase> {};

TEST_P(Sgr, MapsForegroundBackgroundAndIntensity) {
    EXPECT_EQ(console::sgrSequence(GetParam().attribute), GetParam().sequence);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Sgr,
    ::testing::Values(
        // The four colours the program uses.
        SgrCase{15, "\x1b[97;49m"}, SgrCase{11, "\x1b[96;49m"}, SgrCase{14, "\x1b[93;49m"},
        SgrCase{207, "\x1b[97;101m"},
        // Blue 1, green 2, red 4 swap places with the terminal's red 1, blue 4.
        SgrCase{0x01, "\x1b[34;49m"}, SgrCase{0x04, "\x1b[31;49m"}, SgrCase{0x07, "\x1b[37;49m"},
        SgrCase{0x00, "\x1b[30;49m"}, SgrCase{0x08, "\x1b[90;49m"},
        SgrCase{0x1F, "\x1b[97;44m"}, SgrCase{0x4E, "\x1b[93;41m"}, SgrCase{0x70, "\x1b[30;47m"},
        SgrCase{0x80, "\x1b[30;100m"}, SgrCase{0xF0, "\x1b[30;107m"},
        // Bits above the two colour nibbles carry no colour.
        SgrCase{0x010F, "\x1b[97;49m"}));

TEST(Console, TerminalGetsTitleColoursAndReset) {
    std::ostringstream out;
    console::Console terminal(out, true);
    terminal.setTitle("Glyphkiln v1.0");
    terminal.setAttribute(console::kFailure);
    terminal << "text " << 42;
    terminal.restore();
    EXPECT_EQ(out.str(), "\x1b]0;Glyphkiln v1.0\x07\x1b[97;101mtext 42\x1b[0m");
}

TEST(Console, NonTerminalGetsThePlainTextOnly) {
    std::ostringstream out;
    console::Console plain(out, false);
    plain.setTitle("Glyphkiln v1.0");
    plain.setAttribute(console::kPlain);
    plain << "a\n";
    plain.setAttribute(console::kHighlight);
    plain << "b";
    plain.restore();
    EXPECT_EQ(out.str(), "a\nb");
}

}  // namespace
