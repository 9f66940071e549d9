// The strict text-to-number conversion over arbitrary bytes. Besides
// surviving every input, a plain run of decimal digits must give the same
// value as the standard conversion, and every failure carries one of its
// three messages.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "support/utility.hpp"

namespace {

bool plainDigits(const std::string& text) {
    if (text.empty() || text.size() > 19) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::uint32_t value = zor::Utility::convertToUnsigned(text);
        if (plainDigits(text) && std::stoull(text) != value) std::abort();
    } catch (const std::invalid_argument& error) {
        if (std::string(error.what()) != "invalid stoul argument") std::abort();
    } catch (const std::out_of_range& error) {
        if (std::string(error.what()) != "stoul argument out of range") std::abort();
        if (plainDigits(text) && std::stoull(text) <= 0xFFFFFFFFull) std::abort();
    } catch (const std::runtime_error& error) {
        const std::string expected =
            "zor::Utility::convertToUnsigned Bad conversion of [" + text + "] to unsigned";
        // what() ends at the first NUL byte of the input.
        if (std::string(error.what()) != expected.substr(0, expected.find('\0'))) std::abort();
    }
    return 0;
}
