#include "profile_text.h"

#include <climits>
#include <cstring>

int parseProfileInt(const char* text) {
    if (text == nullptr) return 0;
    const char* p = text;
    while (isAsciiWhiteSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate in a wider type and clamp, so a huge value cannot overflow.
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > limit) {
            value = limit;
            break;
        }
        ++p;
    }
    return static_cast<int>(negative ? -value : value);
}

int isShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

size_t characterBoundaryLength(const char* text, size_t maxBytes) {
    size_t length = 0;
    while (length < maxBytes && text[length] != '\0') {
        if (isShiftJisLeadByte(static_cast<unsigned char>(text[length]))) {
            // A lead byte without its second byte (cut earlier, or at the limit) is dropped.
            if (text[length + 1] == '\0' || length + 2 > maxBytes) break;
            length += 2;
        } else {
            ++length;
        }
    }
    return length;
}

int copyTextCut(char* out, size_t outSize, const char* text) {
    if (out == nullptr || outSize == 0) return 0;
    if (text == nullptr) {
        out[0] = '\0';
        return 1;
    }
    const size_t length = characterBoundaryLength(text, outSize - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    return text[length] == '\0';
}

int copyTextWhole(char* out, size_t outSize, const char* text) {
    if (out == nullptr || outSize == 0) return 0;
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    out[0] = '\0';
    if (length >= outSize) return 0;
    if (text != nullptr) std::memcpy(out, text, length + 1);
    return 1;
}

namespace {

bool isIdeographicSpace(const char* text) { return static_cast<unsigned char>(text[0]) == 0x81 && text[1] == 0x40; }

// A byte the private-profile reading may trim or take as a quote at either end of a key or
// value: a control or blank (Wine trims more than space and tab), a quote, and a lead byte,
// which may start the ideographic space.
bool mayBeTrimmed(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte >= 0x80 || c == '"' || c == '\'';
}

// Whether line starts with key, ignoring the letter case of ASCII letters.
bool startsWithKey(const char* line, const char* key) {
    size_t i = 0;
    while (key[i] != '\0' && lowerAscii(line[i]) == lowerAscii(key[i])) ++i;
    return key[i] == '\0';
}

}  // namespace

int plainSectionValue(const char* lines, size_t length, const char* key, const char** value) {
    const size_t keyLength = std::strlen(key);
    int found = 0;
    for (size_t at = 0; at < length && lines[at] != '\0';) {
        const char* line = lines + at;
        const void* end = std::memchr(line, '\0', length - at);
        // An unterminated last line: the section was cut, and may name the key further on.
        if (end == nullptr) return -1;
        const size_t lineLength = static_cast<const char*>(end) - line;
        at += lineLength + 1;
        // A line whose start may be trimmed may name the key: only the file's reading can tell.
        if (mayBeTrimmed(line[0])) return -1;
        if (!startsWithKey(line, key)) continue;
        const char after = line[keyLength];
        if (after != '=' && !mayBeTrimmed(after)) continue;  // a longer key
        const char* text = line + keyLength + 1;
        const size_t textLength = after == '=' ? lineLength - keyLength - 1 : 0;
        // A value ending in a two-byte character may end in the ideographic space.
        const bool plain = after == '=' &&
                           (textLength == 0 || (!mayBeTrimmed(text[0]) && !mayBeTrimmed(text[textLength - 1]) &&
                                                characterBoundaryLength(text, textLength - 1) == textLength - 1));
        if (!plain || found) return -1;
        found = 1;
        *value = text;
    }
    return found;
}

int isStorableValue(const char* text) {
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F) return 0;
    if (length == 0) return 1;
    // The ideographic space (0x81 0x40) is trimmed like a blank by Wine's reading.
    const bool blankAtEnd = text[0] == ' ' || text[length - 1] == ' ' || isIdeographicSpace(text) ||
                            (length >= 2 && characterBoundaryLength(text, length - 2) == length - 2 &&
                             isIdeographicSpace(text + length - 2));
    // The reading takes a pair of single or double quotes around a value away.
    const bool quoted = length >= 2 && (text[0] == '"' || text[0] == '\'') && text[length - 1] == text[0];
    return !blankAtEnd && !quoted;
}
