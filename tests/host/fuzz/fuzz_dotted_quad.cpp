// Address texts and DNS server lists from the registry, arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/dotted_quad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    parseDottedQuad(text.c_str());
    char first[kDnsPieceSize + 1];
    char second[kDnsPieceSize + 1];
    first[kDnsPieceSize] = second[kDnsPieceSize] = '\x7F';
    splitNameServers(text.c_str(), first, second);
    if (first[kDnsPieceSize] != '\x7F' || second[kDnsPieceSize] != '\x7F') std::abort();
    if (std::strlen(first) >= kDnsPieceSize || std::strlen(second) >= kDnsPieceSize) std::abort();
    if (std::strpbrk(first, ", \t") || std::strpbrk(second, ", \t")) std::abort();
    if (first[0] == '\0' && second[0] != '\0') std::abort();
    parseDottedQuad(first);
    return 0;
}
