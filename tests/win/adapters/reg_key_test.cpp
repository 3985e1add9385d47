// RegKey on a scratch key of the test's own under HKEY_CURRENT_USER.
#include "adapters/reg_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sim_registry.h"

namespace {

constexpr char kScratchKey[] = "Software\\TessalyTests\\RegKey";

class RegKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        deleteKeyTree(HKEY_CURRENT_USER, kScratchKey);
        HKEY scratch;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &scratch, nullptr));
        const struct {
            const char* name;
            DWORD type;
            std::string data;
        } values[] = {{"text", REG_SZ, std::string("hello", 6)},  {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
                      {"dword", REG_DWORD, "\x78\x56\x34\x12"},      {"qword", REG_QWORD, "12345678"},
                      {"sjis", REG_SZ, std::string("ab\x90\xDD\x92\xE8", 7)}};
        for (const auto& v : values)
            RegSetValueExA(scratch, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                           static_cast<DWORD>(v.data.size()));
        for (const char* name : {"short", "a much longer subkey name"}) {
            HKEY subkey;
            RegCreateKeyExA(scratch, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &subkey, nullptr);
            RegCloseKey(subkey);
        }
        RegCloseKey(scratch);
        key.root = HKEY_CURRENT_USER;
        ASSERT_TRUE(key.open(kScratchKey));
    }
    void TearDown() override {
        key.close();
        deleteKeyTree(HKEY_CURRENT_USER, "Software\\TessalyTests");
    }
    RegKey key;
};

TEST_F(RegKeyTest, KeysOpenCloseAndListTheirSubkeys) {
    RegKey other;
    EXPECT_FALSE(other.open(kScratchKey)) << "no root set";
    other.root = HKEY_CURRENT_USER;
    EXPECT_FALSE(other.open("Software\\TessalyTests\\NoSuchKey"));
    EXPECT_FALSE(other.open(nullptr));
    EXPECT_FALSE(other.close());
    other.root = key.key;
    EXPECT_TRUE(other.open("short"));
    EXPECT_TRUE(other.close());
    EXPECT_FALSE(other.close());

    RegKeyInfo info;
    memset(&info, 0xCC, sizeof info);
    ASSERT_TRUE(key.queryInfo(&info));
    EXPECT_EQ(2u, info.subKeyCount);
    EXPECT_EQ(strlen("a much longer subkey name"), info.maxSubKeyNameLength);
    char name[4];
    DWORD length = sizeof name;
    EXPECT_TRUE(key.enumSubKey(1, name, &length)) << "a name that does not fit still counts";
    length = sizeof name;
    EXPECT_FALSE(key.enumSubKey(2, name, &length)) << "past the end";
}

TEST_F(RegKeyTest, ValuesReadWithTheirFallbacks) {
    const struct {
        const char* name;
        DWORD size;
        const char* fallback;
        int stored;
        const char* expected;  // null: the buffer is left as it was
    } cases[] = {
        {"text", 8, "fb", 5, "hello"},
        {"missing", 8, "fb", -1, nullptr},
        {"text", 4, "fallback", 3, "fal"},  // too large: the fallback, cut to fit
        {"text", 4, nullptr, 0, ""},        // too large without a fallback: empty
        {"multi", 8, nullptr, 4, "a"},      // the first string; bytes stored less one
        {"sjis", 4, "\x90\xDD\x92\xE8", 3, "\x90\xDD"},  // the fallback cut on a character boundary
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        char buffer[8];
        memset(buffer, 0xCC, sizeof buffer);
        const int stored = key.readString(c.name, buffer, c.size, c.fallback);
        if (c.expected == nullptr) {
            EXPECT_EQ('\xCC', buffer[0]) << "case " << i;
            continue;
        }
        EXPECT_EQ(c.stored, stored) << "case " << i;
        EXPECT_STREQ(c.expected, buffer) << "case " << i;
        if (c.size < sizeof buffer) {
            EXPECT_EQ('\xCC', buffer[c.size]) << "case " << i;
        }
    }
    EXPECT_EQ(0x12345678u, key.readDword("dword", 7));
    EXPECT_EQ(7u, key.readDword("qword", 7)) << "more than four bytes";
    EXPECT_EQ(7u, key.readDword("missing", 7));
    EXPECT_EQ(9u, RegKey().readDword("dword", 9));
}

}  // namespace
