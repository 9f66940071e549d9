#include "support/utility.hpp"

#include "support/failure.hpp"

#include <stdexcept>

namespace zor {

namespace {

bool isConversionSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

[[noreturn]] void badConversion(const std::string& text) {
    throw zor::Failure("zor::Utility::convertToUnsigned Bad conversion of [" + text +
                             "] to unsigned");
}

}  // namespace

std::uint32_t Utility::convertToUnsigned(const std::string& text) {
    if (text.find(',') != std::string::npos) badConversion(text);

    std::string::size_type i = 0;
    while (i < text.size() && isConversionSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string::size_type firstDigit = i;
    std::uint64_t value = 0;
    bool outOfRange = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (!outOfRange) {
            value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
            if (value > 0xFFFFFFFFull) outOfRange = true;
        }
        ++i;
    }
    if (i == firstDigit) throw std::invalid_argument("invalid stoul argument");
    if (outOfRange) throw std::out_of_range("stoul argument out of range");
    if (i != text.size()) badConversion(text);

    const auto magnitude = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

}  // namespace zor

std::string trim(const std::string& text, const std::string& set) {
    const std::string::size_type first = text.find_first_not_of(set);
    if (first == std::string::npos) return std::string();
    const std::string::size_type last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}
