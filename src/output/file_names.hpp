// Output file names: the base name followed by a fixed ending per mode.
#pragma once

#include <string>

inline std::string imageFileName(const std::string& baseName, bool raw) {
    return baseName + (raw ? "Atlas.raw" : "Atlas.ovx");
}

inline std::string descriptorFileName(const std::string& baseName, bool raw) {
    return baseName + (raw ? "Ascii.txt" : ".ovx");
}
