// A text a compose function handed over in a new[] buffer, freed; "(none)" when it failed.
#pragma once

#include <string>

inline std::string take(int ok, char* text) {
    const std::string out = ok && text != nullptr ? text : "(none)";
    delete[] text;
    return out;
}
