#include "private_profile.h"

#include "profile_text.h"

namespace {

constexpr DWORD kIntTextSize = 100;
constexpr DWORD kIntFormatSize = 16;

// The platform cuts a long value to the buffer byte by byte; never keep half of a
// double-byte character at the end.
DWORD dropDanglingLeadByte(char* text, DWORD length) {
    const size_t whole = characterBoundaryLength(text, length);
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
    const DWORD stored =
        GetPrivateProfileStringA(section, key, defaultText ? defaultText : "", out, outSize, file);
    return dropDanglingLeadByte(out, stored);
}

int readProfileInt(const char* file, const char* section, const char* key, int defaultValue) {
    if (section == nullptr || key == nullptr) return defaultValue;
    char defaultText[kIntFormatSize];
    wsprintfA(defaultText, "%d", defaultValue);
    char value[kIntTextSize];
    const DWORD stored = GetPrivateProfileStringA(section, key, defaultText, value, kIntTextSize, file);
    if (stored == 0) return 0;
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
