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
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &scratch, nullptr));
        setRaw("text", REG_SZ, "hello", 6);
        setRaw("empty", REG_SZ, "", 0);
        setRaw("multi", REG_MULTI_SZ, "a\0b\0\0", 5);
        const DWORD number = 0x12345678;
        setRaw("dword", REG_DWORD, &number, 4);
        setRaw("binary4", REG_BINARY, "\x01\x02\x03\x04", 4);
        setRaw("qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08", 8);
        setRaw("sjis", REG_SZ, "ab\x90\xDD\x92\xE8", 7);
        for (const char* name : {"short", "a much longer subkey name"}) {
            HKEY subkey;
            RegCreateKeyExA(scratch, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &subkey, nullptr);
            RegCloseKey(subkey);
        }
        key.root = HKEY_CURRENT_USER;
        ASSERT_TRUE(key.open(kScratchKey));
    }
    void TearDown() override {
        key.close();
        RegCloseKey(scratch);
        deleteKeyTree(HKEY_CURRENT_USER, "Software\\TessalyTests");
    }
    void setRaw(const char* name, DWORD type, const void* data, DWORD size) {
        RegSetValueExA(scratch, name, 0, type, static_cast<const BYTE*>(data), size);
    }

    HKEY scratch = nullptr;
    RegKey key;
};

TEST_F(RegKeyTest, OpenAndCloseFollowTheKeyState) {
    RegKey closed;
    EXPECT_FALSE(closed.close());
    EXPECT_EQ(nullptr, closed.key);
    EXPECT_FALSE(closed.open(kScratchKey)) << "no root set";
    closed.root = HKEY_CURRENT_USER;
    EXPECT_FALSE(closed.open("Software\\TessalyTests\\NoSuchKey"));
    EXPECT_EQ(nullptr, closed.key);
    EXPECT_FALSE(closed.open(nullptr));

    RegKey inner;
    inner.root = key.key;
    EXPECT_TRUE(inner.open("short"));
    EXPECT_TRUE(inner.close());
    EXPECT_FALSE(inner.close());
}

TEST_F(RegKeyTest, SubkeysAreEnumeratedUntilTheEnd) {
    RegKeyInfo info;
    memset(&info, 0xCC, sizeof info);
    ASSERT_TRUE(key.queryInfo(&info));
    EXPECT_EQ(2u, info.subKeyCount);
    EXPECT_EQ(strlen("a much longer subkey name"), info.maxSubKeyNameLength);

    char name[64];
    DWORD length = sizeof name;
    EXPECT_TRUE(key.enumSubKey(0, name, &length));
    length = sizeof name;
    EXPECT_TRUE(key.enumSubKey(1, name, &length));
    length = sizeof name;
    EXPECT_FALSE(key.enumSubKey(2, name, &length)) << "past the end";
    char small[4];
    length = sizeof small;
    EXPECT_TRUE(key.enumSubKey(0, small, &length)) << "a name that does not fit still counts";
    EXPECT_FALSE(key.enumSubKey(0, nullptr, &length));
}

TEST_F(RegKeyTest, TextValuesReadWithTheirFallbacks) {
    char buffer[8];
    memset(buffer, 0xCC, sizeof buffer);
    EXPECT_EQ(5, key.readString("text", buffer, sizeof buffer, "fb"));
    EXPECT_STREQ("hello", buffer);

    memset(buffer, 0xCC, sizeof buffer);
    key.readString("missing", buffer, sizeof buffer, "fb");
    EXPECT_EQ('\xCC', buffer[0]) << "a missing value leaves the buffer untouched";

    memset(buffer, 0xCC, sizeof buffer);
    EXPECT_EQ(3, key.readString("text", buffer, 4, "fallback"));
    EXPECT_STREQ("fal", buffer) << "too large: the fallback, cut and terminated";
    EXPECT_EQ('\xCC', buffer[4]);

    memset(buffer, 0xCC, sizeof buffer);
    EXPECT_EQ(0, key.readString("text", buffer, 4, nullptr));
    EXPECT_STREQ("", buffer) << "too large without a fallback: an empty text";

    memset(buffer, 0xCC, sizeof buffer);
    EXPECT_EQ(4, key.readString("multi", buffer, sizeof buffer, nullptr)) << "bytes stored less one";
    EXPECT_STREQ("a", buffer) << "a multi-string reads as its first string";

    memset(buffer, 0xCC, sizeof buffer);
    key.readString("sjis", buffer, 4, "\x90\xDD\x92\xE8");
    EXPECT_STREQ("\x90\xDD", buffer) << "the fallback is cut on a character boundary";

    DWORD type = 0;
    DWORD size = 0xCC;
    EXPECT_TRUE(key.queryValueInfo("empty", &type, &size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_FALSE(key.queryValueInfo("missing", &type, &size));
}

TEST_F(RegKeyTest, NumbersReadFourBytesOfAnyType) {
    EXPECT_EQ(0x12345678u, key.readDword("dword", 7));
    EXPECT_EQ(0x04030201u, key.readDword("binary4", 7));
    EXPECT_EQ(7u, key.readDword("qword", 7)) << "more than four bytes";
    EXPECT_EQ(7u, key.readDword("missing", 7));
    RegKey closed;
    EXPECT_EQ(9u, closed.readDword("dword", 9));
}

}  // namespace
