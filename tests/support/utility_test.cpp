#include "support/utility.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

struct Accepted {
    std::string text;
    std::uint32_t value;
};

class ConvertAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(ConvertAccepted, GivesTheValue) {
    EXPECT_EQ(zor::Utility::convertToUnsigned(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertAccepted,
    ::testing::Values(Accepted{"42", 42}, Accepted{"\t42", 42}, Accepted{"+42", 42},
                      Accepted{"042", 42}, Accepted{"0", 0}, Accepted{"4294967295", 4294967295u},
                      Accepted{" \t\n\v\f\r7", 7},
                      // A minus sign negates modulo 2^32, as the C library does.
                      Accepted{"-1", 4294967295u}, Accepted{"-0", 0},
                      Accepted{"-4294967295", 1}, Accepted{"00000000000000000000012", 12}));

enum class Kind { BadConversion, InvalidArgument, OutOfRange };

struct Refused {
    std::string text;
    Kind kind;
};

class ConvertRefused : public ::testing::TestWithParam<Refused> {};

TEST_P(ConvertRefused, ThrowsItsMessage) {
    const Refused& c = GetParam();
    try {
        zor::Utility::convertToUnsigned(c.text);
        FAIL() << "no failure for [" << c.text << "]";
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(c.kind, Kind::InvalidArgument) << c.text;
        EXPECT_STREQ(e.what(), "invalid stoul argument");
    } catch (const std::out_of_range& e) {
        EXPECT_EQ(c.kind, Kind::OutOfRange) << c.text;
        EXPECT_STREQ(e.what(), "stoul argument out of range");
    } catch (const std::exception& e) {
        EXPECT_EQ(c.kind, Kind::BadConversion) << c.text;
        EXPECT_EQ(e.what(),
                  "zor::Utility::convertToUnsigned Bad conversion of [" + c.text + "] to unsigned");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertRefused,
    ::testing::Values(
        // Anything after the digits, a blank included.
        Refused{"42 ", Kind::BadConversion}, Refused{"0x10", Kind::BadConversion},
        Refused{"12ab", Kind::BadConversion}, Refused{"5px", Kind::BadConversion},
        Refused{"1-", Kind::BadConversion},
        // A comma is refused before anything else is looked at.
        Refused{"4,2", Kind::BadConversion}, Refused{",", Kind::BadConversion},
        Refused{"abc,", Kind::BadConversion}, Refused{"99999999999,", Kind::BadConversion},
        // No digit at all.
        Refused{"", Kind::InvalidArgument}, Refused{"+", Kind::InvalidArgument},
        Refused{"-", Kind::InvalidArgument}, Refused{"abc", Kind::InvalidArgument},
        Refused{" \t", Kind::InvalidArgument}, Refused{"+-1", Kind::InvalidArgument},
        Refused{"+ 1", Kind::InvalidArgument}, Refused{"x4294967296", Kind::InvalidArgument},
        // Above 4294967295, also when other characters follow the digits.
        Refused{"4294967296", Kind::OutOfRange}, Refused{"-4294967296", Kind::OutOfRange},
        Refused{"4294967296x", Kind::OutOfRange},
        Refused{"99999999999999999999999999", Kind::OutOfRange}));

struct TrimCase {
    std::string text;
    std::string trimmed;
};

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, CutsTheSetAtBothEnds) {
    EXPECT_EQ(trim(GetParam().text, " \t\n\r"), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Trim,
    ::testing::Values(TrimCase{"", ""}, TrimCase{" \t \t", ""}, TrimCase{"\r\n\r", ""},
                      TrimCase{"font.ttf 15\r", "font.ttf 15"},
                      TrimCase{"\t a b \t c \r\n", "a b \t c"}, TrimCase{"x", "x"},
                      // Only the set counts: other control characters stay.
                      TrimCase{"\v x \f", "\v x \f"},
                      TrimCase{std::string("\0a\0", 3), std::string("\0a\0", 3)}));

TEST(Trim, UsesTheGivenSet) {
    EXPECT_EQ(trim("xxabcxyx", "xy"), "abc");
    EXPECT_EQ(trim("  a  ", ""), "  a  ");
}

}  // namespace
