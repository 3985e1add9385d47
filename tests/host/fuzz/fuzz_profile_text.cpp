// Integer parsing and character-boundary cuts on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t outSize = data[0] % 64;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    parseProfileInt(text.c_str());

    std::vector<char> out(outSize + 1, '\x7F');
    const int whole = copyTextCut(out.data(), outSize, text.c_str());
    if (outSize == 0) return 0;
    const size_t length = std::strlen(out.data());
    if (length >= outSize) std::abort();
    if (out[outSize] != '\x7F') std::abort();  // never past the given size
    if (std::memcmp(out.data(), text.c_str(), length) != 0) std::abort();
    if (whole && length != std::strlen(text.c_str())) std::abort();
    // The copy ends on a character boundary of the original.
    if (characterBoundaryLength(text.c_str(), length) != length) std::abort();
    return 0;
}
