#include "private_profile.h"

#include "profile_text.h"

namespace {

constexpr DWORD kIntTextSize = 100;
constexpr DWORD kIntFormatSize = 16;

// A value cut to fit the buffer may end in half of a double-byte character, and the
// platform may count a byte it never wrote (seen under Wine). The buffer is zeroed
// before the call, so the text ends at its first terminator; a lone lead byte is dropped.
DWORD wholeCharacterLength(char* text, DWORD outSize) {
    const size_t whole = characterBoundaryLength(text, outSize - 1);
    text[whole] = '\0';
    return static_cast<DWORD>(whole);
}

}  // namespace

DWORD readSectionNames(const char* file, char* buffer, DWORD bufferSize) {
    return GetPrivateProfileSectionNamesA(buffer, bufferSize, file);
}

DWORD readProfileString(const char* file, const char* section, const char* key, char* out,
                        DWORD outSize, const char* defaultText) {
    if (out == nullptr || outSize == 0) return 0;
    if (section == nullptr || key == nullptr) {
        copyTextCut(out, outSize, defaultText);
        return static_cast<DWORD>(lstrlenA(out));
    }
    ZeroMemory(out, outSize);
    GetPrivateProfileStringA(section, key, defaultText ? defaultText : "", out, outSize, file);
    return wholeCharacterLength(out, outSize);
}

int readProfileInt(const char* file, const char* section, const char* key, int defaultValue) {
    if (section == nullptr || key == nullptr) return defaultValue;
    char defaultText[kIntFormatSize];
    wsprintfA(defaultText, "%d", defaultValue);
    char value[kIntTextSize];
    ZeroMemory(value, sizeof value);
    GetPrivateProfileStringA(section, key, defaultText, value, kIntTextSize, file);
    if (value[0] == '\0') return 0;
    return parseProfileInt(value);
}

int writeProfileString(const char* file, const char* section, const char* key, const char* value) {
    if (section == nullptr || key == nullptr) return 0;
    return WritePrivateProfileStringA(section, key, value, file) ? 1 : 0;
}

int writeProfileInt(const char* file, const char* section, const char* key, int value) {
    if (section == nullptr || key == nullptr) return 0;
    char text[kIntFormatSize];
    wsprintfA(text, "%d", value);
    return writeProfileString(file, section, key, text);
}
