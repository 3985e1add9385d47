#include "app/profile_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

TEST(ProfileText, IntegerValuesParseLikeTheSettingsFileExpects) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"1", 1},           {"0", 0},          {"2", 2},           {"", 0},
        {"abc", 0},         {" 12", 12},       {"\t+7x", 7},       {"-3", -3},
        {" 12a", 12},       {"+", 0},          {"- 5", 0},         {"1 2", 1},
        {"2147483647", INT_MAX},                {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},  {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},    {"0001", 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].value, parseProfileInt(cases[i].text)) << "case " << i;
    EXPECT_EQ(0, parseProfileInt(nullptr));
}

// "ネットワーク" in Shift-JIS: six two-byte characters; the second byte of "ト" is 0x67.
const char kKatakana[] = "\x83\x6C\x83\x62\x83\x67\x83\x8F\x81\x5B\x83\x4E";

TEST(ProfileText, CopiesAreCutAtCharacterBoundaries) {
    char out[8];
    std::memset(out, 0xCC, sizeof out);
    EXPECT_EQ(0, copyTextCut(out, 6, kKatakana));
    EXPECT_EQ(4u, std::strlen(out)) << "5 bytes allowed, the third character does not fit whole";
    EXPECT_EQ(0, std::memcmp(out, kKatakana, 4));

    std::memset(out, 0xCC, sizeof out);
    EXPECT_EQ(0, copyTextCut(out, 8, "ab\x83\x6C\x83\x62\x83\x67"));
    EXPECT_STREQ("ab\x83\x6C\x83\x62", out);

    std::memset(out, 0xCC, sizeof out);
    EXPECT_EQ(1, copyTextCut(out, 8, "abc"));
    EXPECT_STREQ("abc", out);

    EXPECT_EQ(1, copyTextCut(out, 8, nullptr));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, copyTextCut(out, 0, "abc"));
    EXPECT_EQ(0, copyTextCut(nullptr, 8, "abc"));

    // Half-width katakana (0xA1-0xDF) are single bytes.
    EXPECT_EQ(0, copyTextCut(out, 4, "\xB1\xB2\xB3\xB4"));
    EXPECT_STREQ("\xB1\xB2\xB3", out);
}

TEST(ProfileText, ALeadByteWithoutItsSecondByteIsDropped) {
    EXPECT_EQ(2u, characterBoundaryLength("ab\x83", 3));
    EXPECT_EQ(2u, characterBoundaryLength("ab\x83\x6C", 3));
    EXPECT_EQ(4u, characterBoundaryLength("ab\x83\x6C", 4));
    EXPECT_EQ(0u, characterBoundaryLength("\xE0", 5));
    // A second byte of 0x5C is not a backslash of its own.
    EXPECT_EQ(2u, characterBoundaryLength("\x95\x5C\x83", 3));
}

}  // namespace
