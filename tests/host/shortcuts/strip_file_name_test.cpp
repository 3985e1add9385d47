#include "shortcuts/strip_file_name.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(StripFileName, KeepsTheDirectoryWithItsBackslash) {
    const struct {
        const char* path;
        int result;
        const char* cut;
    } cases[] = {
        {"C:\\Program Files\\Tessaly\\tessaly.exe", 1, "C:\\Program Files\\Tessaly\\"},
        {"C:\\prog.exe", 1, "C:\\"},
        {"\\\\server\\share\\x.exe", 1, "\\\\server\\share\\"},
        {"abcdef", 1, "abc"},
        {"ab\\c\\", 1, "ab\\c\\"},
        {"ab", 0, "ab"},
        {"", 0, ""},
        // Bytes, not characters: the second byte 0x5C of "表" (0x95 0x5C) counts as a backslash.
        {"C:\\\x95\x5C" "abc.exe", 1, "C:\\\x95\x5C"},
    };
    for (const auto& c : cases) {
        char path[64];
        std::strcpy(path, c.path);
        EXPECT_EQ(c.result, stripFileName(path)) << c.path;
        EXPECT_STREQ(c.cut, path) << c.path;
    }
    EXPECT_EQ(0, stripFileName(nullptr));
}

}  // namespace
