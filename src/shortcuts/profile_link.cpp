#include "profile_link.h"

#include <cstring>

#include "../common/profile_text.h"

namespace {

constexpr char kLinkNameBefore[] = "ネットワーク設定「";
constexpr char kLinkNameAfter[] = "」.lnk";
constexpr char kDescriptionAfter[] = "」を適用します";

bool isForbiddenInFileName(unsigned char c) { return c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr; }

// Appends text to out[0..*length) within outSize; false when it does not fit.
bool append(char* out, size_t outSize, size_t* length, const char* text, size_t textLength) {
    if (*length + textLength >= outSize) return false;
    std::memcpy(out + *length, text, textLength);
    *length += textLength;
    out[*length] = '\0';
    return true;
}

int fail(char* out, size_t outSize) {
    if (out != nullptr && outSize > 0) out[0] = '\0';
    return 0;
}

}  // namespace

int composeProfileLinkName(const char* profileName, char* out, size_t outSize) {
    if (profileName == nullptr || profileName[0] == '\0' || out == nullptr || outSize == 0) return fail(out, outSize);
    size_t length = 0;
    out[0] = '\0';
    if (!append(out, outSize, &length, kLinkNameBefore, sizeof kLinkNameBefore - 1)) return fail(out, outSize);
    for (const char* p = profileName; *p != '\0';) {
        const size_t width = isShiftJisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0' ? 2 : 1;
        const bool forbidden = width == 1 && isForbiddenInFileName(static_cast<unsigned char>(*p));
        if (!append(out, outSize, &length, forbidden ? "_" : p, width)) return fail(out, outSize);
        p += width;
    }
    if (!append(out, outSize, &length, kLinkNameAfter, sizeof kLinkNameAfter - 1)) return fail(out, outSize);
    return 1;
}

int composeProfileArguments(const char* profileName, char* out, size_t outSize) {
    if (profileName == nullptr || profileName[0] == '\0' || out == nullptr || outSize == 0) return fail(out, outSize);
    const bool quote = std::strchr(profileName, '"') == nullptr;
    // A bare name starting with "/" would be read as a switch.
    if (!quote && (std::strpbrk(profileName, " \t") != nullptr || profileName[0] == '"' || profileName[0] == '/'))
        return fail(out, outSize);
    size_t length = 0;
    out[0] = '\0';
    const char* opening = quote ? "/L \"" : "/L ";
    if (!append(out, outSize, &length, opening, std::strlen(opening)) ||
        !append(out, outSize, &length, profileName, std::strlen(profileName)) ||
        !append(out, outSize, &length, "\"", quote ? 1 : 0))
        return fail(out, outSize);
    return 1;
}

void composeProfileLinkDescription(const char* profileName, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    size_t length = 0;
    out[0] = '\0';
    append(out, outSize, &length, kLinkNameBefore, sizeof kLinkNameBefore - 1);
    const size_t room = outSize - length > sizeof kDescriptionAfter ? outSize - length - sizeof kDescriptionAfter : 0;
    const char* name = profileName != nullptr ? profileName : "";
    append(out, outSize, &length, name, characterBoundaryLength(name, room));
    append(out, outSize, &length, kDescriptionAfter, sizeof kDescriptionAfter - 1);
}
