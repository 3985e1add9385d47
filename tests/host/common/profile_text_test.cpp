#include "common/profile_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <string>

namespace {

TEST(ProfileText, IntegerValuesParseLikeTheSettingsFileExpects) {
    const struct { const char* text; int value; } cases[] = {
        {"1", 1},     {"", 0},    {"abc", 0}, {" 12", 12},  {"\t+7x", 7}, {"-3", -3},           {"+", 0},
        {"- 5", 0},   {"1 2", 1}, {"010", 10}, {nullptr, 0}, {"2147483648", INT_MAX},           {"-2147483648", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value, parseProfileInt(c.text)) << (c.text ? c.text : "null");
}

// Byte by byte as the C library has them in the "C" locale, where no byte above 0x7F (a
// Shift-JIS lead or second byte among them) is a letter or a blank.
TEST(ProfileText, LetterCaseAndBlanksAreAsciiOnly) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        EXPECT_EQ(static_cast<char>(std::tolower(byte)), lowerAscii(c)) << byte;
        EXPECT_EQ(std::isblank(byte) != 0, isSpaceOrTab(c)) << byte;
        EXPECT_EQ(std::isblank(byte) || byte == '\r' || byte == '\n', isSpaceTabOrLineEnd(c)) << byte;
        EXPECT_EQ(std::isspace(byte) != 0, isAsciiWhiteSpace(c)) << byte;
    }
}

TEST(ProfileText, CopiesAreCutAtCharacterBoundaries) {
    // "ネットワーク": two-byte characters; the second byte of "ト" is 0x67. 0x95 0x5C is "表",
    // whose second byte is no backslash of its own; 0xB1-0xB4 are one-byte half-width kana.
    const struct { const char* text; size_t outSize; int whole; const char* copy; } cases[] = {
        {"\x83\x6C\x83\x62\x83\x67\x83\x8F", 6, 0, "\x83\x6C\x83\x62"}, {"ab\x83\x6C\x83\x62\x83\x67", 8, 0, "ab\x83\x6C\x83\x62"},
        {"abc", 8, 1, "abc"},        {nullptr, 8, 1, ""},        {"\xB1\xB2\xB3\xB4", 4, 0, "\xB1\xB2\xB3"},
        {"\x95\x5C\x83", 8, 0, "\x95\x5C"},  // a lone lead byte at the end is dropped
        {"\xE0", 8, 0, ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char out[9];
        std::memset(out, 0xCC, sizeof out);
        EXPECT_EQ(cases[i].whole, copyTextCut(out, cases[i].outSize, cases[i].text)) << "case " << i;
        EXPECT_STREQ(cases[i].copy, out) << "case " << i;
        EXPECT_EQ('\xCC', out[cases[i].outSize]) << "case " << i;
    }
}

// Only a line GetPrivateProfileStringA would read the same way is taken from a section;
// any other shape sends the caller to the file's own reading (-1).
TEST(ProfileText, ASectionGivesAKeysValueOnlyWhereItsLineIsPlain) {
    const struct { std::string lines; int found; const char* value; } cases[] = {
        {std::string("name=a\0proxy=2\0proxyserver=p:80\0", 33), 1, "2"}, {std::string("PROXY=\0", 8), 1, ""},
        {std::string("proxyserver=1\0;proxy=2\0", 24), 0, nullptr},       {std::string("", 0), 0, nullptr},
        {std::string("proxy =2\0", 9), -1, nullptr},      {std::string(" proxy=2\0", 9), -1, nullptr},
        {std::string("proxy= 2\0", 9), -1, nullptr},      {std::string("proxy=\"2\"\0", 10), -1, nullptr},
        {std::string("proxy='2'\0", 10), -1, nullptr},    {std::string("\vproxy=2\0", 9), -1, nullptr},
        {std::string("proxy=p:80\x81\x40\0", 13), -1, nullptr},  // the ideographic space at the end
        {std::string("\x81\x40proxy=2\0", 10), -1, nullptr},     {std::string("proxy\0", 6), -1, nullptr},
        {std::string("proxy=1\0proxy=2\0", 16), -1, nullptr},
        {std::string("proxy=2", 7), -1, nullptr},  // unterminated: cut by a full buffer
        {std::string("name=a\0prox", 11), -1, nullptr},          {std::string("proxy=a\x83\x5C\0", 10), -1, nullptr},
        {std::string("proxy=a\x83\x5C" "b\0", 11), 1, "a\x83\x5C" "b"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const char* value = nullptr;
        EXPECT_EQ(cases[i].found, plainSectionValue(cases[i].lines.data(), cases[i].lines.size(), "proxy", &value))
            << "case " << i;
        if (cases[i].value != nullptr) EXPECT_STREQ(cases[i].value, value) << "case " << i;
    }
}

}  // namespace
