#include "app/version_code.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    uint32_t platform, major, minor;
    int csdEmpty;
    uint16_t suite;
    uint8_t product;
    int code;
};

TEST(VersionCode, TableOfFamiliesAndEditions) {
    const VersionCase cases[] = {
        {0, 3, 10, 1, 0, 0, 10},
        {1, 4, 0, 1, 0, 0, 20},       {1, 4, 0, 0, 0, 0, 21},
        {1, 4, 10, 1, 0, 0, 30},      {1, 4, 10, 0, 0, 0, 31},
        {1, 4, 90, 1, 0, 0, 32},      {1, 4, 90, 0, 0, 0, 32},
        {1, 4, 11, 1, 0, 0, 0},       {1, 5, 0, 1, 0, 0, 0},
        {2, 3, 51, 1, 0, 0, 50},
        {2, 4, 0, 1, 0, 1, 60},       {2, 4, 0, 1, 0, 3, 61},
        {2, 5, 0, 1, 0, 1, 70},       {2, 5, 0, 1, 0, 2, 71},
        {2, 5, 0, 1, 0, 3, 71},       {2, 5, 0, 1, 0, 0, 79},
        {2, 5, 0, 1, 0, 4, 79},
        {2, 5, 1, 1, 0x0300, 1, 80},  {2, 5, 1, 1, 0x0100, 1, 81},
        {2, 5, 1, 1, 0x0310, 1, 81},  {2, 5, 1, 1, 0x0200, 1, 81},
        {2, 5, 2, 1, 0x0110, 3, 90},  {2, 5, 2, 0, 0, 1, 90},
        {2, 5, 3, 1, 0, 1, 0},        {2, 6, 0, 1, 0, 1, 0},
        {2, 6, 1, 1, 0, 1, 0},        {2, 10, 0, 1, 0, 1, 0},
        {2, 2, 0, 1, 0, 1, 0},        {3, 5, 1, 1, 0, 1, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const VersionCase& c = cases[i];
        VersionFields fields{c.platform, c.major, c.minor, c.csdEmpty, c.suite, c.product};
        EXPECT_EQ(c.code, classifyVersionFields(fields)) << "case " << i;
    }
}

}  // namespace
