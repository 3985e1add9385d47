#include "dotted_quad.h"

#include "profile_text.h"

namespace {

// One piece's number: leading white space, an optional sign, then decimal digits,
// taken modulo 65536 as a signed 16-bit value.
int16_t pieceNumber(const char* piece, size_t length) {
    size_t i = 0;
    while (i < length && isAsciiWhiteSpace(piece[i])) ++i;
    bool negative = false;
    if (i < length && (piece[i] == '+' || piece[i] == '-')) {
        negative = piece[i] == '-';
        ++i;
    }
    uint16_t value = 0;
    while (i < length && piece[i] >= '0' && piece[i] <= '9') {
        value = static_cast<uint16_t>(value * 10u + static_cast<unsigned>(piece[i] - '0'));
        ++i;
    }
    if (negative) value = static_cast<uint16_t>(0u - value);
    return static_cast<int16_t>(value);
}

}  // namespace

uint32_t parseDottedQuad(const char* text) {
    if (text == nullptr) return 0;
    int32_t parts[4] = {0, 0, 0, 0};
    int taken = 0;
    const char* p = text;
    while (*p != '\0' && taken < 4) {
        const char* start = p;
        while (*p != '\0' && *p != '.') ++p;
        if (p > start) parts[taken++] = pieceNumber(start, static_cast<size_t>(p - start));
        if (*p == '.') ++p;
    }
    return static_cast<uint32_t>(parts[0]) * 0x1000000u + static_cast<uint32_t>(parts[1]) * 0x10000u +
           static_cast<uint32_t>(parts[2]) * 0x100u + static_cast<uint32_t>(parts[3]);
}

void splitNameServers(const char* list, char first[kDnsPieceSize], char second[kDnsPieceSize]) {
    first[0] = '\0';
    second[0] = '\0';
    if (list == nullptr) return;
    char* pieces[2] = {first, second};
    int found = 0;
    const char* p = list;
    // XP separates the servers with commas, Windows 2000 with blanks.
    const auto isSeparator = [](char c) { return c == ',' || isSpaceOrTab(c); };
    while (*p != '\0' && found < 2) {
        const char* start = p;
        while (*p != '\0' && !isSeparator(*p)) ++p;
        size_t length = static_cast<size_t>(p - start);
        if (length > 0) {
            if (length > kDnsPieceSize - 1) length = kDnsPieceSize - 1;
            for (size_t i = 0; i < length; ++i) pieces[found][i] = start[i];
            pieces[found][length] = '\0';
            ++found;
        }
        if (isSeparator(*p)) ++p;
    }
}

void formatDottedQuad(uint32_t address, char out[16]) {
    char* p = out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned part = (address >> shift) & 0xFFu;
        if (part >= 100) *p++ = static_cast<char>('0' + part / 100);
        if (part >= 10) *p++ = static_cast<char>('0' + part / 10 % 10);
        *p++ = static_cast<char>('0' + part % 10);
        if (shift != 0) *p++ = '.';
    }
    *p = '\0';
}
