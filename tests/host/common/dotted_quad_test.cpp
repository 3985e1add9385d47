#include "common/dotted_quad.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DottedQuad, ParsesLikeTheRegistryTextsNeed) {
    const struct { const char* text; uint32_t address; } cases[] = {
        {"192.168.0.10", 0xC0A8000Au}, {"255.255.255.255", 0xFFFFFFFFu}, {"", 0}, {nullptr, 0}, {"a.b.c.d", 0},
        {"1.2.3.4.5", 0x01020304u},    {"10.0.1.256", 0x0A000200u},  // 256 spills into the byte above
        {"10..1.2.3", 0x0A010203u},    {".10.1.2.3.", 0x0A010203u},  // empty pieces are skipped
        {"10.1", 0x0A010000u},         {"10", 0x0A000000u},          // missing pieces are 0
        {" 10. 1.+2.3x", 0x0A010203u}, {"10.0.0.1 10.0.0.2", 0x0A000001u},
        {"-1.0.0.0", 0xFF000000u},     {"0.0.0.65537", 1},           // kept modulo 65536
    };
    for (const auto& c : cases) EXPECT_EQ(c.address, parseDottedQuad(c.text)) << (c.text ? c.text : "null");
}

TEST(DottedQuad, NameServerListsGiveTheFirstTwoPieces) {
    const struct { std::string list; const char* pieces; } cases[] = {
        {"10.0.0.1,10.0.0.2,10.0.0.3", "10.0.0.1|10.0.0.2"}, {",10.0.0.2", "10.0.0.2|"},
        {"10.0.0.1,,10.0.0.2,", "10.0.0.1|10.0.0.2"},        {" 10.0.0.1 \t10.0.0.2", "10.0.0.1|10.0.0.2"},
        {"", "|"},                                           {"123456789012345678901234,1", "1234567890123456789|1"},
    };
    for (const auto& c : cases) {
        char first[kDnsPieceSize], second[kDnsPieceSize];
        splitNameServers(c.list.c_str(), first, second);
        EXPECT_EQ(c.pieces, std::string(first) + "|" + second) << c.list.substr(0, 30);
    }
}

}  // namespace
