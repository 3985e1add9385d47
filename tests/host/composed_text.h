// A text a compose function handed over in a new[] buffer, freed; "(none)" when it failed.
#pragma once

#include <string>

#include "common/difference_lines.h"
#include "common/text_builder.h"

inline std::string take(int ok, char* text) {
    const std::string out = ok && text != nullptr ? text : "(none)";
    delete[] text;
    return out;
}

// What `say` wrote into a growing text.
template <typename Say>
std::string said(Say say) {
    GrowingText text;
    char* out = (say(text), nullptr);
    return take(text.hand(&out), out);
}

// The difference lines `say` gives, as the verdict (beforeApply false) or the preview writes them.
template <typename Say>
std::string differenceLines(Say say, bool beforeApply = false) {
    return said([&](GrowingText& text) {
        DifferenceLines lines(&text, beforeApply, beforeApply ? "\r\n" : "\n");
        say(lines);
    });
}

// How many lines `say` counts.
template <typename Say>
int differenceCount(Say say) {
    DifferenceLines lines(nullptr, false, "");
    say(lines);
    return lines.count();
}
