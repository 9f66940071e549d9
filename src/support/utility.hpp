// Strict text-to-number conversion and trimming.
#pragma once

#include <cstdint>
#include <string>

namespace zor {

class Utility {
public:
    // Converts decimal text to an unsigned 32-bit number: optional leading
    // white space, an optional sign ("-" negates modulo 2^32), digits, and
    // nothing after them. Fails with
    //   std::invalid_argument("invalid stoul argument")      no digits,
    //   std::out_of_range("stoul argument out of range")      above 4294967295,
    //   std::runtime_error("zor::Utility::convertToUnsigned Bad conversion of
    //   [text] to unsigned")                                  a comma anywhere,
    //                                                         or anything after the digits.
    static std::uint32_t convertToUnsigned(const std::string& text);
};

}  // namespace zor

// `text` without the characters of `set` at its beginning and its end.
std::string trim(const std::string& text, const std::string& set);
