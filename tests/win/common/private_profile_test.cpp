// The private-profile helpers on a real file: the platform's reads cut to whole characters.
#include "common/private_profile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "win/support.h"

namespace {

TEST(PrivateProfile, StringsAreCutAtACharacterBoundaryAndDefaultsApply) {
    ScratchDir dir;
    const std::string ini = dir.file("test.ini");
    writeWholeFile(ini, "[A]\r\nname=ab\x90\xDD\x92\xE8\r\n");  // "設定" is 0x90 0xDD 0x92 0xE8
    const struct {
        const char* section;
        const char* key;
        DWORD size;
        const char* defaultText;
        const char* expected;
    } cases[] = {
        {"A", "name", 16, ".\\", "ab\x90\xDD\x92\xE8"}, {"A", "name", 6, ".\\", "ab\x90\xDD"},
        {"A", "name", 5, ".\\", "ab\x90\xDD"},           {"A", "name", 4, ".\\", "ab"},
        {"A", "name", 1, ".\\", ""},                     {"A", "path", 8, ".\\", ".\\"},
        {nullptr, "name", 8, ".\\", ".\\"},              {"A", nullptr, 8, nullptr, ""},
        {nullptr, nullptr, 5, "\x90\xDD\x92\xE8xyz", "\x90\xDD\x92\xE8"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        char out[16];
        memset(out, 0xCC, sizeof out);
        EXPECT_EQ(strlen(c.expected), readProfileString(ini.c_str(), c.section, c.key, out, c.size, c.defaultText))
            << "case " << i;
        EXPECT_STREQ(c.expected, out) << "case " << i;
        if (c.size < sizeof out) {
            EXPECT_EQ('\xCC', out[c.size]) << "case " << i << ": written past the size";
        }
    }
    EXPECT_EQ(0, writeProfileString(ini.c_str(), nullptr, "k", "v"));
    EXPECT_EQ(0, writeProfileInt(ini.c_str(), "A", nullptr, 1));
    EXPECT_EQ(0, writeProfileInt(dir.file("no such folder\\x.ini").c_str(), "s", "k", 1));
}

}  // namespace
