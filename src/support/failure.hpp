// The exception every failure of the program travels in. Its message is
// kept whole as a byte string: font paths and characters may hold NUL
// bytes, which the C string of what() would cut off.
#pragma once

#include <stdexcept>
#include <string>

namespace zor {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message), text(message) {}
    const std::string& message() const { return text; }

private:
    std::string text;
};

}  // namespace zor
