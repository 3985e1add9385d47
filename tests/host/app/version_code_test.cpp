#include "app/version_code.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionCode, OnlyWindows2000ToServer2003PassTheGate) {
    // The fields: platform, major, minor, no service pack text, suite mask, product type.
    const struct { VersionFields fields; bool runs; } cases[] = {
        {{0, 3, 10, 1, 0, 0}, false},      {{1, 4, 0, 1, 0, 0}, false},      // Win32s, Windows 95
        {{1, 4, 0, 0, 0, 0}, false},       {{1, 4, 10, 1, 0, 0}, false},     // Windows 95 OSR2, 98
        {{1, 4, 10, 0, 0, 0}, false},      {{1, 4, 90, 1, 0, 0}, false},     // Windows 98 SE, Me
        {{2, 3, 51, 1, 0, 0}, false},      {{2, 4, 0, 1, 0, 3}, false},      // NT 3.51, NT 4.0 Server
        {{2, 5, 0, 1, 0, 1}, true},        {{2, 5, 0, 1, 0, 3}, true},       // Windows 2000 Professional, Server
        {{2, 5, 0, 1, 0, 4}, true},        {{2, 5, 1, 1, 0x0300, 1}, true},  // an unknown product type, XP Home
        {{2, 5, 1, 1, 0x0100, 1}, true},   {{2, 5, 2, 1, 0x0110, 3}, true},  // XP Professional, Server 2003
        {{2, 5, 3, 1, 0, 1}, false},       {{2, 6, 0, 1, 0, 1}, false},      // Vista and later
        {{1, 4, 11, 1, 0, 0}, false},      {{3, 5, 1, 1, 0, 1}, false},      // not recognised
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].runs, isSupportedVersionCode(classifyVersionFields(cases[i].fields)) != 0) << "case " << i;
}

}  // namespace
