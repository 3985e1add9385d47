#include "profile_link.h"

#include <cstring>

#include "../common/profile_text.h"
#include "../common/text_builder.h"

namespace {

constexpr char kLinkNameBefore[] = "ネットワーク設定「";
constexpr char kLinkNameAfter[] = "」.lnk";
constexpr char kDescriptionAfter[] = "」を適用します";

bool isForbiddenInFileName(unsigned char c) { return c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr; }

int fail(char* out, size_t outSize) {
    BoundedText(out, outSize).finish();
    return 0;
}

}  // namespace

int composeProfileLinkName(const char* profileName, char* out, size_t outSize) {
    if (profileName == nullptr || profileName[0] == '\0' || out == nullptr || outSize == 0) return fail(out, outSize);
    BoundedText text(out, outSize);
    text.add(kLinkNameBefore);
    for (const char* p = profileName; *p != '\0';) {
        const size_t width = isShiftJisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0' ? 2 : 1;
        const bool forbidden = width == 1 && isForbiddenInFileName(static_cast<unsigned char>(*p));
        text.add(forbidden ? "_" : p, width);
        p += width;
    }
    return text.add(kLinkNameAfter).finish();
}

int composeProfileArguments(const char* profileName, char* out, size_t outSize) {
    if (profileName == nullptr || profileName[0] == '\0' || out == nullptr || outSize == 0) return fail(out, outSize);
    const bool quote = std::strchr(profileName, '"') == nullptr;
    // A bare name starting with "/" would be read as a switch.
    if (!quote && (std::strchr(profileName, ' ') != nullptr || std::strchr(profileName, '\t') != nullptr || profileName[0] == '"' || profileName[0] == '/'))
        return fail(out, outSize);
    return BoundedText(out, outSize).add(quote ? "/L \"" : "/L ").add(profileName).add(quote ? "\"" : "").finish();
}

void composeProfileLinkDescription(const char* profileName, char* out, size_t outSize) {
    BoundedText(out, outSize)
        .add(kLinkNameBefore)
        .addCut(profileName != nullptr ? profileName : "", sizeof kDescriptionAfter - 1)
        .add(kDescriptionAfter);
}
