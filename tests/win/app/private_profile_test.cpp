// The private-profile helpers on real files in a fresh directory.
#include "app/private_profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "win/scratch_dir.h"

namespace {

class PrivateProfile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string ini = dir.file("test.ini");
};

TEST_F(PrivateProfile, IntegersReadBackAsTheSettingsFileGivesThem) {
    writeWholeFile(ini,
                   "[A]\r\none=1\r\ntwo=2\r\nempty=\r\nletters=abc\r\nmixed= 12a\r\n"
                   "negative=-7\r\nhuge=99999999999999\r\nwrapping=4294967297\r\n");
    const struct {
        const char* key;
        int value;
    } cases[] = {{"one", 1},       {"two", 2},          {"empty", 0},
                 {"letters", 0},   {"mixed", 12},       {"negative", -7},
                 {"huge", INT_MAX}, {"wrapping", INT_MAX}, {"missing", 55}};
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].value, readProfileInt(ini.c_str(), "A", cases[i].key, 55)) << "case " << i;
    EXPECT_EQ(55, readProfileInt(ini.c_str(), "B", "one", 55)) << "missing section";
    EXPECT_EQ(-3, readProfileInt(dir.file("absent.ini").c_str(), "A", "one", -3)) << "missing file";
    EXPECT_EQ(9, readProfileInt(ini.c_str(), nullptr, "one", 9));
    EXPECT_EQ(9, readProfileInt(ini.c_str(), "A", nullptr, 9));
}

TEST_F(PrivateProfile, WritesCreateTheFileAppendSectionsAndReplaceInPlace) {
    EXPECT_NE(0, writeProfileInt(ini.c_str(), "Basic", "FirstTime", 0));
    EXPECT_NE(0, writeProfileString(ini.c_str(), "Other", "name", "Office"));
    EXPECT_NE(0, writeProfileInt(ini.c_str(), "Basic", "FirstTime", -42));
    const std::string content = readWholeFile(ini);
    EXPECT_EQ(0u, content.find("[Basic]\r\nFirstTime=-42\r\n")) << content;
    EXPECT_NE(std::string::npos, content.find("[Other]\r\nname=Office\r\n")) << content;

    char names[64];
    memset(names, 0xCC, sizeof names);
    const DWORD length = readSectionNames(ini.c_str(), names, sizeof names);
    EXPECT_EQ(12u, length);
    EXPECT_EQ(0, memcmp("Basic\0Other\0\0", names, 13));
}

TEST_F(PrivateProfile, WritesWithoutSectionOrKeyDoNothing) {
    EXPECT_EQ(0, writeProfileString(ini.c_str(), nullptr, "k", "v"));
    EXPECT_EQ(0, writeProfileString(ini.c_str(), "s", nullptr, "v"));
    EXPECT_EQ(0, writeProfileInt(ini.c_str(), nullptr, "k", 1));
    EXPECT_EQ(0, writeProfileInt(ini.c_str(), "s", nullptr, 1));
    EXPECT_FALSE(fileExists(ini));
    EXPECT_EQ(0, writeProfileInt(dir.file("no such folder\\x.ini").c_str(), "s", "k", 1));
}

TEST_F(PrivateProfile, StringsAreCutAtACharacterBoundary) {
    // "設定" is 0x90 0xDD 0x92 0xE8 in Shift-JIS.
    writeWholeFile(ini, "[A]\r\nname=ab\x90\xDD\x92\xE8\r\n");
    char out[16];
    const struct {
        DWORD size;
        const char* expected;
    } cases[] = {{16, "ab\x90\xDD\x92\xE8"}, {6, "ab\x90\xDD"}, {5, "ab\x90\xDD"}, {4, "ab"}, {1, ""}};
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        memset(out, 0xCC, sizeof out);
        const DWORD stored = readProfileString(ini.c_str(), "A", "name", out, cases[i].size, ".\\");
        EXPECT_STREQ(cases[i].expected, out) << "case " << i;
        EXPECT_EQ(strlen(cases[i].expected), stored) << "case " << i;
        if (cases[i].size < sizeof out) {
            EXPECT_EQ('\xCC', out[cases[i].size]) << "case " << i;
        }
    }
}

TEST_F(PrivateProfile, StringDefaultsApplyToMissingKeysAndMissingArguments) {
    writeWholeFile(ini, "[A]\r\nname=x\r\n");
    char out[8];
    memset(out, 0xCC, sizeof out);
    EXPECT_EQ(2u, readProfileString(ini.c_str(), "A", "path", out, sizeof out, ".\\"));
    EXPECT_STREQ(".\\", out);
    memset(out, 0xCC, sizeof out);
    EXPECT_EQ(2u, readProfileString(ini.c_str(), nullptr, "name", out, sizeof out, ".\\"));
    EXPECT_STREQ(".\\", out);
    memset(out, 0xCC, sizeof out);
    EXPECT_EQ(0u, readProfileString(ini.c_str(), "A", nullptr, out, sizeof out, nullptr));
    EXPECT_STREQ("", out);
    memset(out, 0xCC, sizeof out);
    EXPECT_EQ(4u, readProfileString(ini.c_str(), nullptr, nullptr, out, 5, "\x90\xDD\x92\xE8xyz"));
    EXPECT_STREQ("\x90\xDD\x92\xE8", out);
}

}  // namespace
