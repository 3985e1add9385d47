#include "app/version_code.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionCode, OnlyWindows2000ToServer2003PassTheGate) {
    // The fields: platform, major, minor, no service pack text, suite mask, product type.
    const struct { VersionFields fields; int code; bool runs; } cases[] = {
        {{0, 3, 10, 1, 0, 0}, 10, false},                                     // Win32s
        {{1, 4, 0, 1, 0, 0}, 20, false},       {{1, 4, 0, 0, 0, 0}, 21, false},    // Windows 95
        {{1, 4, 10, 1, 0, 0}, 30, false},      {{1, 4, 10, 0, 0, 0}, 31, false},   // Windows 98
        {{1, 4, 90, 1, 0, 0}, 32, false},      {{1, 4, 90, 0, 0, 0}, 32, false},   // Windows Me
        {{1, 4, 11, 1, 0, 0}, 0, false},       {{1, 5, 0, 1, 0, 0}, 0, false},
        {{2, 3, 51, 1, 0, 0}, 50, false},                                     // NT 3.51
        {{2, 4, 0, 1, 0, 1}, 60, false},       {{2, 4, 0, 1, 0, 3}, 61, false},    // NT 4.0
        {{2, 5, 0, 1, 0, 1}, 70, true},        {{2, 5, 0, 1, 0, 2}, 71, true},     // Windows 2000
        {{2, 5, 0, 1, 0, 3}, 71, true},        {{2, 5, 0, 1, 0, 4}, 79, true},
        {{2, 5, 1, 1, 0x0300, 1}, 80, true},   {{2, 5, 1, 1, 0x0100, 1}, 81, true},  // XP Home, Professional
        {{2, 5, 1, 1, 0x0310, 1}, 81, true},   {{2, 5, 1, 1, 0x0200, 1}, 81, true},
        {{2, 5, 2, 1, 0x0110, 3}, 90, true},   {{2, 5, 2, 0, 0, 1}, 90, true},      // Server 2003, XP x64
        {{2, 5, 3, 1, 0, 1}, 0, false},        {{2, 6, 0, 1, 0, 1}, 0, false},      // Vista and later
        {{2, 10, 0, 1, 0, 1}, 0, false},       {{2, 2, 0, 1, 0, 1}, 0, false},
        {{3, 5, 1, 1, 0, 1}, 0, false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const int code = classifyVersionFields(cases[i].fields);
        EXPECT_EQ(cases[i].code, code) << "case " << i;
        EXPECT_EQ(cases[i].runs, isSupportedVersionCode(code) != 0) << "case " << i;
    }
}

}  // namespace
